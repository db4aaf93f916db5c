#include "ui/CKestrovaToolsDialog.h"

#include "launch/WindowsToolPlatform.h"
#include "res/resource.h"
#include "launch/ToolTable.h"

#include <iterator>

namespace {

// Tool button ids run on from IDC_TOOL_FIRST in table order.
constexpr std::array<int, kToolButtonCount> toolButtonIds()
{
    std::array<int, kToolButtonCount> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i)
        ids[i] = IDC_TOOL_FIRST + static_cast<int>(i);
    return ids;
}

constexpr std::array<int, kToolButtonCount> kToolButtonIds = toolButtonIds();

ToolPlatform& windowsToolPlatform()
{
    static WindowsToolPlatform platform;
    return platform;
}

}  // namespace

const MessageEntry CKestrovaToolsDialog::kMessageEntries[] = {
    onCommand<CKestrovaToolsDialog>(BN_CLICKED, kToolButtonIds, &CKestrovaToolsDialog::OnToolButton),
};

const MessageMap CKestrovaToolsDialog::kMessageMap = {&CDialog::kMessageMap, kMessageEntries,
                                                      std::size(kMessageEntries)};

CKestrovaToolsDialog::CKestrovaToolsDialog(CWnd* parent, ToolPlatform* platform)
    : CDialog(IDD_KESTROVA_TOOLS, parent), m_platform(platform ? platform : &windowsToolPlatform())
{
}

const MessageMap* CKestrovaToolsDialog::GetMessageMap() const
{
    return &kMessageMap;
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
