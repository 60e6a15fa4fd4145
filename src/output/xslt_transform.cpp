#include "output/xslt_transform.h"

#include <libxml/parser.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace quarrion {

namespace {

// No network, no external DTD, no entity substitution, no noise on stderr.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct StylesheetFree {
    void operator()(xsltStylesheet* style) const { xsltFreeStylesheet(style); }
};
struct ContextFree {
    void operator()(xsltTransformContext* context) const { xsltFreeTransformContext(context); }
};
struct PrefsFree {
    void operator()(xsltSecurityPrefs* prefs) const { xsltFreeSecurityPrefs(prefs); }
};
struct ParserFree {
    void operator()(xmlParserCtxt* parser) const { xmlFreeParserCtxt(parser); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;

// Collects libxslt's messages for the caller while it lives (libxslt reports
// stylesheet and transformation errors through one process-wide handler).
class ErrorCollector {
  public:
    ErrorCollector() { xsltSetGenericErrorFunc(this, &ErrorCollector::Collect); }
    ~ErrorCollector() { xsltSetGenericErrorFunc(nullptr, nullptr); }
    ErrorCollector(const ErrorCollector&) = delete;
    ErrorCollector& operator=(const ErrorCollector&) = delete;

    std::string Text() const {
        std::string text = text_;
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        return text;
    }

  private:
    static void Collect(void* self, const char* format, ...) {
        char buffer[1024];
        va_list args;
        va_start(args, format);
        std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        static_cast<ErrorCollector*>(self)->text_ += buffer;
    }

    std::string text_;
};

// An HTML element that cannot hold content (<br>, <img>, ...). The HTML serialiser
// writes such an element without its children, so whatever a stylesheet put inside
// one would vanish from the page.
bool IsVoidElement(const xmlNode* node) {
    static constexpr const char* kVoid[] = {"area",  "base",   "br",    "col",  "embed",
                                            "hr",    "img",    "input", "link", "meta",
                                            "param", "source", "track", "wbr"};
    if (node->type != XML_ELEMENT_NODE || !node->name) return false;
    for (const char* name : kVoid) {
        if (xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0) return true;
    }
    return false;
}

// Moves the children of void elements out to follow them, as a browser reading the
// same markup would, so "<br><div id=...></div></br>" keeps its division.
// `first` starts a list of siblings; lifted children become siblings and are visited
// in turn.
void LiftOutOfVoidElements(xmlNode* first) {
    for (xmlNode* child = first; child; child = child->next) {
        if (IsVoidElement(child)) {
            xmlNode* after = child;
            while (xmlNode* inner = child->children) {
                xmlUnlinkNode(inner);
                after = xmlAddNextSibling(after, inner);
            }
        }
        LiftOutOfVoidElements(child->children);
    }
}

Doc ReadDocument(const std::filesystem::path& file, std::string& error) {
    std::unique_ptr<xmlParserCtxt, ParserFree> parser(xmlNewParserCtxt());
    if (!parser) {
        error = "Out of memory.";
        return nullptr;
    }
    Doc doc(xmlCtxtReadFile(parser.get(), file.c_str(), nullptr, kParseOptions));
    if (!doc) {
        const xmlError* last = xmlCtxtGetLastError(parser.get());
        std::string reason = last && last->message ? last->message : "unreadable";
        while (!reason.empty() && reason.back() == '\n') reason.pop_back();
        error = "Cannot read " + file.string() + ": " + reason;
        return nullptr;
    }
    // Our files never declare a document type; one that does was not written by us.
    if (doc->intSubset || doc->extSubset) {
        error = "Cannot read " + file.string() + ": it declares a document type.";
        return nullptr;
    }
    return doc;
}

}  // namespace

namespace {

Outcome Transform(const std::filesystem::path& xmlFile, const std::filesystem::path& xslFile,
                  Doc source, Doc styleDoc, std::string& html);

}  // namespace

Outcome TransformXmlFile(const std::filesystem::path& xmlFile, const std::filesystem::path& xslFile,
                         std::string& html) {
    html.clear();
    std::string error;
    Doc source = ReadDocument(xmlFile, error);
    if (!source) return Outcome::Fail(error);
    Doc styleDoc = ReadDocument(xslFile, error);
    if (!styleDoc) return Outcome::Fail(error);
    return Transform(xmlFile, xslFile, std::move(source), std::move(styleDoc), html);
}

Outcome TransformXmlFileWith(const std::filesystem::path& xmlFile, std::string_view stylesheet,
                             const std::filesystem::path& xslFile, std::string& html) {
    html.clear();
    std::string error;
    Doc source = ReadDocument(xmlFile, error);
    if (!source) return Outcome::Fail(error);
    std::unique_ptr<xmlParserCtxt, ParserFree> parser(xmlNewParserCtxt());
    if (!parser) return Outcome::Fail("Out of memory.");
    Doc styleDoc(xmlCtxtReadMemory(parser.get(), stylesheet.data(),
                                   static_cast<int>(stylesheet.size()), xslFile.c_str(), nullptr,
                                   kParseOptions));
    if (!styleDoc || styleDoc->intSubset || styleDoc->extSubset) {
        return Outcome::Fail("Cannot read the stylesheet " + xslFile.string() + ".");
    }
    return Transform(xmlFile, xslFile, std::move(source), std::move(styleDoc), html);
}

namespace {

Outcome Transform(const std::filesystem::path& xmlFile, const std::filesystem::path& xslFile,
                  Doc source, Doc styleDoc, std::string& html) {
    ErrorCollector errors;
    // On success the stylesheet owns its document.
    std::unique_ptr<xsltStylesheet, StylesheetFree> style(xsltParseStylesheetDoc(styleDoc.get()));
    if (!style) {
        return Outcome::Fail("Cannot use the stylesheet " + xslFile.string() + ": " +
                             errors.Text());
    }
    styleDoc.release();

    std::unique_ptr<xsltSecurityPrefs, PrefsFree> prefs(xsltNewSecurityPrefs());
    std::unique_ptr<xsltTransformContext, ContextFree> context(
        xsltNewTransformContext(style.get(), source.get()));
    if (!prefs || !context) {
        return Outcome::Fail("Out of memory.");
    }
    for (xsltSecurityOption option :
         {XSLT_SECPREF_READ_FILE, XSLT_SECPREF_WRITE_FILE, XSLT_SECPREF_CREATE_DIRECTORY,
          XSLT_SECPREF_READ_NETWORK, XSLT_SECPREF_WRITE_NETWORK}) {
        xsltSetSecurityPrefs(prefs.get(), option, xsltSecurityForbid);
    }
    if (xsltSetCtxtSecurityPrefs(prefs.get(), context.get()) != 0) {
        return Outcome::Fail("Cannot restrict the transformation.");
    }

    Doc result(xsltApplyStylesheetUser(style.get(), source.get(), nullptr, nullptr, nullptr,
                                       context.get()));
    if (!result || context->state != XSLT_STATE_OK) {
        std::string reason = errors.Text();
        return Outcome::Fail("Cannot make the page from " + xmlFile.string() +
                             (reason.empty() ? std::string(".") : ": " + reason));
    }

    if (result->type == XML_HTML_DOCUMENT_NODE) LiftOutOfVoidElements(result->children);

    xmlChar* text = nullptr;
    int length = 0;
    if (xsltSaveResultToString(&text, &length, result.get(), style.get()) != 0) {
        return Outcome::Fail("Cannot write out the page.");
    }
    if (text) {
        html.assign(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
        xmlFree(text);
    }
    return {};
}

}  // namespace

}  // namespace quarrion
