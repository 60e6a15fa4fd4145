#include "output/workbook_styles.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace quarrion {

namespace {

// One member of a zip package as its central directory lists it.
struct Member {
    std::string name;
    std::uint16_t method = 0;
    std::uint16_t time = 0;
    std::uint16_t date = 0;
    std::uint32_t crc = 0;
    std::uint32_t packedSize = 0;
    std::uint32_t size = 0;
    std::string data;  // as stored (packed)
};

std::uint16_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}
std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Read16(bytes, at)) |
           static_cast<std::uint32_t>(Read16(bytes, at + 2)) << 16;
}
void Put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// The members of a package written without zip64 (as the workbook library writes it).
std::string ReadMembers(std::string_view zip, std::vector<Member>& members) {
    constexpr std::uint32_t kEnd = 0x06054b50, kCentral = 0x02014b50, kLocal = 0x04034b50;
    if (zip.size() < 22) return "the workbook package is too short";
    std::size_t end = zip.size() - 22;
    while (Read32(zip, end) != kEnd) {
        if (end == 0 || zip.size() - end > 22 + 0xFFFF) return "the package has no directory";
        --end;
    }
    const std::uint16_t count = Read16(zip, end + 10);
    std::size_t at = Read32(zip, end + 16);
    for (std::uint16_t i = 0; i < count; ++i) {
        if (at + 46 > zip.size() || Read32(zip, at) != kCentral) return "the directory is damaged";
        Member member;
        member.method = Read16(zip, at + 10);
        member.time = Read16(zip, at + 12);
        member.date = Read16(zip, at + 14);
        member.crc = Read32(zip, at + 16);
        member.packedSize = Read32(zip, at + 20);
        member.size = Read32(zip, at + 24);
        const std::uint16_t nameLength = Read16(zip, at + 28);
        const std::size_t skip = nameLength + Read16(zip, at + 30) + Read16(zip, at + 32);
        const std::size_t local = Read32(zip, at + 42);
        if (at + 46 + skip > zip.size()) return "the directory is damaged";
        member.name = std::string(zip.substr(at + 46, nameLength));
        if (local + 30 > zip.size() || Read32(zip, local) != kLocal) return "a member is damaged";
        const std::size_t data = local + 30 + Read16(zip, local + 26) + Read16(zip, local + 28);
        if (data + member.packedSize > zip.size()) return "a member is cut short";
        member.data = std::string(zip.substr(data, member.packedSize));
        members.push_back(std::move(member));
        at += 46 + skip;
    }
    return {};
}

std::string Inflate(const Member& member, std::string& text) {
    if (member.method == 0) {
        text = member.data;
        return {};
    }
    if (member.method != 8) return "a member is packed in an unknown way";
    text.assign(member.size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return "cannot unpack a member";
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(member.data.data()));
    stream.avail_in = static_cast<uInt>(member.data.size());
    stream.next_out = reinterpret_cast<Bytef*>(text.data());
    stream.avail_out = static_cast<uInt>(text.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END || stream.total_out != member.size) return "a member is damaged";
    return {};
}

// What a member's local header and its central-directory entry share: flags (none),
// compression method, time stamp, checksum, sizes and the length of the name.
void PutMemberFacts(std::string& out, const Member& member) {
    Put16(out, 0);
    Put16(out, member.method);
    Put16(out, member.time);
    Put16(out, member.date);
    Put32(out, member.crc);
    Put32(out, member.packedSize);
    Put32(out, member.size);
    Put16(out, static_cast<std::uint32_t>(member.name.size()));
}

std::string WriteMembers(const std::vector<Member>& members) {
    std::string out;
    std::string directory;
    for (const Member& member : members) {
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        Put32(out, 0x04034b50);
        Put16(out, 20);
        PutMemberFacts(out, member);
        Put16(out, 0);
        out += member.name;
        out += member.data;

        Put32(directory, 0x02014b50);
        Put16(directory, 20);
        Put16(directory, 20);
        PutMemberFacts(directory, member);
        Put16(directory, 0);  // extra
        Put16(directory, 0);  // comment
        Put16(directory, 0);  // disk
        Put16(directory, 0);  // internal attributes
        Put32(directory, 0);  // external attributes
        Put32(directory, offset);
        directory += member.name;
    }
    const std::uint32_t directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(members.size()));
    Put16(out, static_cast<std::uint32_t>(members.size()));
    Put32(out, static_cast<std::uint32_t>(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

// The styles with the "Percent" style added (built-in style 5, the percent number
// format 9) and the format at `xfIndex` made to use it.
std::string StylesWithPercent(std::string styles, int xfIndex) {
    const std::size_t styleXfs = styles.find("<cellStyleXfs count=\"1\">");
    const std::size_t styleXfsEnd = styles.find("</cellStyleXfs>");
    const std::size_t cellStyles = styles.find("<cellStyles count=\"1\">");
    const std::size_t cellStylesEnd = styles.find("</cellStyles>");
    const std::size_t cellXfs = styles.find("<cellXfs");
    if (styleXfs == std::string::npos || styleXfsEnd == std::string::npos ||
        cellStyles == std::string::npos || cellStylesEnd == std::string::npos ||
        cellXfs == std::string::npos) {
        return {};
    }
    // The format's own <xf ...> inside cellXfs, counted from 0.
    std::size_t xf = cellXfs;
    for (int i = 0; i <= xfIndex; ++i) {
        xf = styles.find("<xf ", xf + 1);
        if (xf == std::string::npos) return {};
    }
    const std::size_t xfId = styles.find("xfId=\"0\"", xf);
    if (xfId == std::string::npos || xfId > styles.find('>', xf)) return {};
    // Back to front, so the earlier positions stay right.
    styles.replace(xfId, 8, "xfId=\"1\"");
    styles.insert(cellStylesEnd, "<cellStyle name=\"Percent\" xfId=\"1\" builtinId=\"5\"/>");
    styles.replace(cellStyles, 22, "<cellStyles count=\"2\">");
    styles.insert(styleXfsEnd,
                  "<xf numFmtId=\"9\" fontId=\"0\" fillId=\"0\" borderId=\"0\" "
                  "applyNumberFormat=\"1\"/>");
    styles.replace(styleXfs, 24, "<cellStyleXfs count=\"2\">");
    return styles;
}

}  // namespace

namespace {

std::string AddPercentStyleEntry(const std::filesystem::path& file, int xfIndex) {
    if (xfIndex < 0) return {};
    std::string zip;
    {
        std::ifstream in(file, std::ios::binary);
        if (!in) return "cannot read the workbook package";
        zip.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<Member> members;
    if (std::string error = ReadMembers(zip, members); !error.empty()) return error;
    for (Member& member : members) {
        if (member.name != "xl/styles.xml") continue;
        std::string styles;
        if (std::string error = Inflate(member, styles); !error.empty()) return error;
        std::string changed = StylesWithPercent(std::move(styles), xfIndex);
        if (changed.empty()) return "the workbook's styles are not laid out as expected";
        member.method = 0;  // stored: small, and needs no packing
        member.data = std::move(changed);
        member.size = member.packedSize = static_cast<std::uint32_t>(member.data.size());
        member.crc =
            static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(member.data.data()),
                                             static_cast<uInt>(member.data.size())));
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        const std::string rewritten = WriteMembers(members);
        out.write(rewritten.data(), static_cast<std::streamsize>(rewritten.size()));
        out.flush();
        return out ? std::string() : "cannot rewrite the workbook package";
    }
    return "the workbook package holds no styles";
}

}  // namespace

Outcome AddPercentCellStyle(const std::filesystem::path& file, int xfIndex) {
    std::string error = AddPercentStyleEntry(file, xfIndex);
    if (!error.empty()) return Outcome::Fail(std::move(error));
    return Outcome::Ok();
}

}  // namespace quarrion
