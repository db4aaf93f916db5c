#include "ui/CKestrovaToolsDialog.h"

#include "launch/WindowsToolPlatform.h"
#include "res/resource.h"

namespace {

ToolPlatform& windowsToolPlatform()
{
    static WindowsToolPlatform platform;
    return platform;
}

}  // namespace

CKestrovaToolsDialog::CKestrovaToolsDialog(CWnd* parent, ToolPlatform* platform)
    : CDialogEx(IDD_KESTROVA_TOOLS, parent), m_platform(platform ? platform : &windowsToolPlatform())
{
}

BOOL CKestrovaToolsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

HandlerResult CKestrovaToolsDialog::OnToolButton(const Message& msg)
{
    if (const ToolButton* button = findToolButton(static_cast<int>(msg.commandId())))
        RunToolButton(*m_platform, *button);
    return 0;
}
