// The editors' rules on typed text, file names and list lines.
#include <gtest/gtest.h>

#include "editors/EditorRules.h"

namespace parlomat::editors {
namespace {

TEST(EditorRules, FieldRulesKeepDivisionsTimeLengthsAndRatingsInRange) {
  struct Case {
    std::string (*rule)(const std::string&);
    const char* field;
    std::string typed, kept;
  };
  const std::string request = kNonzeroRequest;
  const Case cases[] = {
      {divisionCountRule, "TextDiv", "3", "3"},
      {divisionCountRule, "TextDiv", "7", "5"},
      {divisionCountRule, "TextDiv", "6", "5"},
      {divisionCountRule, "TextDiv", "0", "1"},
      {divisionCountRule, "TextDiv", "", "1"},
      {divisionCountRule, "TextDiv", "x", "1"},
      {divisionCountRule, "TextDiv", "12", "5"},
      {divisionCountRule, "TextDiv", "02", "5"},
      {timeLengthRule, "Text2", "4500", "4500"},
      {timeLengthRule, "Text2", "100000", "100000"},
      {timeLengthRule, "Text2", "250000", "100000"},
      {timeLengthRule, "Text2", "0", request},
      {timeLengthRule, "Text2", "-40", request},
      {timeLengthRule, "Text2", "", request},
      {timeLengthRule, "Text2", request, request},
      {ratingRule, "Combo3", "55", "55"},
      {ratingRule, "Combo3", "100", "100"},
      {ratingRule, "Combo3", "250", "100"},
      {ratingRule, "Combo3", "abc", "2"},
      {ratingRule, "Combo3", "0", "2"},
      {ratingRule, "Combo3", "", "2"},
      {ratingRule, "Combo3", "1000", "100"},
      {ratingRule, "Combo3", " 55 ", " 55 "},
      // Stored as a whole number, these would leave 1 to 100.
      {ratingRule, "Combo3", "-5", "2"},
      {ratingRule, "Combo3", "0.4", "2"},
      {ratingRule, "Combo3", "0.7", "0.7"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.rule(c.typed), c.kept) << c.field << " '" << c.typed << "'";
    // What a rule keeps, it keeps again: a replaced text does not change once more.
    EXPECT_EQ(c.rule(c.kept), c.kept) << c.field << " '" << c.typed << "'";
  }
}

TEST(EditorRules, FileNamesFromTheDialogAndTyped) {
  struct Case {
    bool (*valid)(const std::string&);
    std::string name;
    bool accepted;
  };
  const Case cases[] = {
      {validLanguageDialogName, "/home/u/words.Lang", true},
      {validLanguageDialogName, "/home/u/words.lang", true},
      {validLanguageDialogName, "/home/u/words.LANG", true},
      {validLanguageDialogName, "/home/u/words.lst", false},
      {validLanguageDialogName, "*.Lang", false},  // the dialog cancelled
      {validLanguageDialogName, "a.Lang", false},  // six characters: not longer than six
      {validLanguageDialogName, "ab.Lang", true},
      {validLanguageDialogName, "", false},
      {validLanguageTypedName, "/tmp/w.Lang", true},
      {validLanguageTypedName, "/tmp/w.lang", true},
      {validLanguageTypedName, "/tmp/w.LANG", false},
      {validLanguageTypedName, "/tmp/w.Lang2", false},
      {validVocabularyDialogName, "/home/u/chars.SAY", true},
      {validVocabularyDialogName, "/home/u/chars.say", true},
      {validVocabularyDialogName, "*.SAY", false},
      {validVocabularyDialogName, "a.SAY", false},
      {validVocabularyDialogName, "ab.SAY", true},
      {validVocabularyDialogName, "/home/u/chars.wav", false},
      {validVocabularyTypedName, "/tmp/c.SAY", true},
      {validVocabularyTypedName, "/tmp/c.say", true},
      {validVocabularyTypedName, "/tmp/c.Say", false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.valid(c.name), c.accepted) << c.name;
  EXPECT_EQ(fileTitle("/home/u/words.Lang"), "words.Lang");
  EXPECT_EQ(fileTitle("words.Lang"), "words.Lang");
}

TEST(EditorRules, ListLinesAndTheNumbersReadBackFromThem) {
  EXPECT_EQ(languageListLine(12, "word", 3), "12   word  (3) ");
  EXPECT_EQ(listLineNumber(languageListLine(12, "word", 3)), 12);
  EXPECT_EQ(listLineNumber(languageListLine(1234, "w", 1)), 1234);
  const std::string seven = vocabularyListLine(7, "ka                  ");
  EXPECT_EQ(seven, " 7           ka                  ");
  EXPECT_EQ(listLineNumber(seven), 7);
  EXPECT_EQ(listLineNumber(vocabularyListLine(999, "ka")), 999);
  // Only three digits fit after the leading space.
  EXPECT_EQ(listLineNumber(vocabularyListLine(1234, "ka")), 123);
  EXPECT_EQ(listLineNumber("ka-   Length :  -400"), 0);
}

}  // namespace
}  // namespace parlomat::editors
