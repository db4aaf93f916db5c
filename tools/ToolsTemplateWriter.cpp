// Writes the Tools dialog template (.rc) from the tool table, so that the buttons' ids, captions
// and places are the table's own. Built for the build machine and run by the build.
//   ToolsTemplateWriter OUTPUT
#include "launch/ToolTable.h"
#include "ui/ToolsGrid.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The template declares no code page: a caption must be printable ASCII without a quote.
bool appendAscii(const wchar_t* text, std::string& out)
{
    for (; *text != L'\0'; ++text) {
        if (*text < 0x20 || *text > 0x7E || *text == L'"')
            return false;
        out += static_cast<char>(*text);
    }
    return true;
}

void writeButton(std::ostream& rc, const char* statement, const std::string& caption, const std::string& id,
                 int column, int row)
{
    rc << "    " << statement << "\"" << caption << "\", " << id << ", " << toolColumnLeft(column) << ", "
       << toolRowTop(row) << ", " << kToolButtonWidth << ", " << kToolButtonHeight << "\n";
}

bool onGrid(int column, int row)
{
    return column >= 1 && column <= static_cast<int>(kToolColumnLefts.size()) && row >= 0 && row < kToolRowCount;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ToolsTemplateWriter OUTPUT\n");
        return 2;
    }
    std::ostringstream rc;
    rc << "// Tools dialog, written by the build from launch/ToolTable.h and ui/ToolsGrid.h (tools/ToolsTemplateWriter.cpp).\n"
          "#include <windows.h>\n"
          "#include \"res/resource.h\"\n"
          "\n"
          "IDD_KESTROVA_TOOLS DIALOGEX 0, 0, "
       << kToolsDialogWidth << ", " << kToolsDialogHeight
       << "\n"
          "STYLE DS_SHELLFONT | DS_CENTER | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
          "CAPTION \"Kestrova Tools\"\n"
          "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1\n"
          "BEGIN\n";
    writeButton(rc, "DEFPUSHBUTTON   ", "Close", "IDCANCEL", kToolsCloseColumn, kToolsCloseRow);
    for (const ToolButton& button : kToolButtons) {
        std::string caption;
        if (!appendAscii(button.caption, caption) || !onGrid(button.column, button.row)) {
            std::fprintf(stderr, "ToolsTemplateWriter: tool %d: a caption of printable ASCII without '\"' "
                         "and a place on the grid, please\n", button.buttonId);
            return 1;
        }
        writeButton(rc, "PUSHBUTTON      ", caption, "IDC_TOOL_FIRST+" + std::to_string(button.buttonId - IDC_TOOL_FIRST),
                    button.column, button.row);
    }
    rc << "END\n";

    std::ofstream out(argv[1], std::ios::binary);
    out << rc.str();
    out.close();
    if (!out) {
        std::fprintf(stderr, "ToolsTemplateWriter: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
