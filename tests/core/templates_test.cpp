#include "core/i18n/templates.h"

#include <gtest/gtest.h>

#include "core/i18n/strings.h"

namespace norvella {
namespace {

TEST(FormatTemplate, NeverReadsPastItsArguments) {
  EXPECT_EQ(FormatTemplate("<title>%s</title>", {"T"}), "<title>T</title>");
  EXPECT_EQ(FormatTemplate("%s and %s and %s", {"a"}), "a and  and ");
  EXPECT_EQ(FormatTemplate("100%% %d %", {}), "100% %d %");
  EXPECT_EQ(FormatTemplate("%s", {"%s"}), "%s");
}

TEST(ExpandProgramPath, ReplacesOnlyTheFirstPlaceholder) {
  EXPECT_EQ(ExpandProgramPath("<img src=\"%norvellapath%a.png\">%norvellapath%", "/opt/n/"),
            "<img src=\"/opt/n/a.png\">%norvellapath%");
  EXPECT_EQ(ExpandProgramPath("none", "/x/"), "none");
}

TEST(ProgramFolderText, UrlLikeFormWithEscapedSpaces) {
  EXPECT_EQ(ProgramFolderText("C:\\Program Files\\Norvella\\norvella.exe"),
            "C|/Program%%20Files/Norvella/");
  EXPECT_EQ(ProgramFolderText("/opt/my books/bin/norvella"), "/opt/my%%20books/bin/");
  // After formatting, the escaped space reads %20.
  HtmlTemplates t;
  const std::string skin = ExpandProgramPath("<img src=\"file:///%norvellapath%c.png\">",
                                             ProgramFolderText("/opt/my books/norvella"));
  EXPECT_EQ(FormatTemplate(skin, {}), "<img src=\"file:////opt/my%20books/c.png\">");
}

TEST(Templates, DefaultsAndNames) {
  HtmlTemplates t;
  EXPECT_EQ(t.end, "</body></html>");
  EXPECT_EQ(t.titleNoImage, "<title>%s</title></head><body>");
  for (const auto name : kTemplateNames) EXPECT_NE(t.ByName(name), nullptr) << name;
  EXPECT_EQ(t.ByName("name"), nullptr);
  EXPECT_EQ(CreditFooter().rfind("</font></div>"), CreditFooter().size() - 13);
  EXPECT_NE(CreditFooter().find(std::string(">") + std::string(kWebAddress) + "</a>"), std::string::npos);
}

TEST(StringTable, ProcessTextsAndLookupFaults) {
  StringTable s;
  EXPECT_EQ(s.Process("CurrentTask"), "CurrentTask: ");
  EXPECT_EQ(s.Process("SearchingForLines"), " Searching for [-]");
  EXPECT_EQ(s.Message("LargeFile"), "File is larger, than 2MB. Convertion may take a while.\n\rProceed?");
  EXPECT_THROW(s.Process("NoSuchKey"), std::out_of_range);
  EXPECT_TRUE(s.Set(kProcesses, "Ready", "Fertig"));
  EXPECT_EQ(s.Process("Ready"), "Fertig");
  EXPECT_FALSE(s.Set(kProcesses, "Nope", "x"));
}

}  // namespace
}  // namespace norvella
