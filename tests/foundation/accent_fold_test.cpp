#include <gtest/gtest.h>

#include "foundation/text_fold.h"

namespace quarrion {
namespace {

TEST(AccentFold, LettersLoseTheirAccentsAndKeepTheirCase) {
    struct Case {
        const char* text;
        const char* folded;
    };
    const Case cases[] = {
        {"Müller", "Muller"},
        {"Ñandú CAFÉ", "Nandu CAFE"},
        // Letters whose stroke is no separate mark come from the small table.
        {"Søren Jørgensen", "Soren Jorgensen"},
        {"ŁÓDŹ Đakovo Ħamrun Ŧ", "LODZ Dakovo Hamrun T"},
        // A decomposed ü (u and a combining diaeresis) folds like the composed one.
        {"Mu\xCC\x88ller", "Muller"},
        // Ligatures and other letters are no accented letters.
        {"Ærø ß", "Æro ß"},
        // The spacing accents stay: the whole-word rule reads them as separators.
        {"a´b¸c", "a´b¸c"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FoldAccents(c.text), c.folded) << c.text;
}

TEST(AccentFold, BrokenBytesAreKeptAsTheyAre) {
    const std::string broken = "M\xFF\xC3\xBCller";
    EXPECT_EQ(FoldAccents(broken), "M\xFFuller");
}

}  // namespace
}  // namespace quarrion
