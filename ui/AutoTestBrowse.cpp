#include "ui/AutoTestBrowse.h"

#include "ui/CIndexedFileDialog.h"

void BrowseForAutoTestFile(CWnd& field, CWnd& launcherDialog, const std::function<void()>& refresh)
{
    CIndexedFileDialog dialog(TRUE, L"noxatc", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                              L"Auto Test Files (*.noxatc)|*.noxatc||", &launcherDialog);
    if (dialog.DoModal() != IDOK)
        return;
    field.SetWindowTextW(dialog.GetPathName().c_str());
    field.UpdateWindow();
    if (refresh)
        refresh();
}
