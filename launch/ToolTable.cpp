#include "launch/ToolTable.h"

const wchar_t* const kAutoTestConfigurePath = L"C:\\Kestrova\\Tools\\Auto Test Configure\\noxAutoTestConfigure.exe";
const wchar_t* const kAutoTestConfigureFolder = L"C:\\Kestrova\\Tools\\Auto Test Configure\\";

const ToolButton* findToolButton(int buttonId)
{
    for (const ToolButton& button : kToolButtons)
        if (button.buttonId == buttonId)
            return &button;
    return nullptr;
}
