// Cost of one enabling pass of the real launcher dialog, against the bare
// platform calls it must make, without and with the control updates.
// Runs inside OnInitDialog (timer stopped), then ends the dialog.
//   bench_refresh.exe customer|developer [ROUNDS] [CALLS-PER-ROUND]
// Prints "launcher_us", "bare_queries_us", "bare_full_us": medians over the
// rounds of the time per pass, in microseconds.
#include "bench/BareRefresh.h"
#include "bench/Edition.h"
#include "res/resource.h"
#include "ui/CnoxLauncherDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

extern const unsigned kLauncherLayoutTemplate = IDD_NOXLAUNCHER_DIALOG;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

class RefreshBenchDlg : public CnoxLauncherDlg {
public:
    RefreshBenchDlg(unsigned templateId, int rounds, int calls)
        : CnoxLauncherDlg(templateId), rounds_(rounds), calls_(calls)
    {
    }

    BOOL OnInitDialog() override
    {
        CnoxLauncherDlg::OnInitDialog();
        ::KillTimer(m_hWnd, 1);  // only the passes timed here
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        const auto timeOnePass = [&](const std::function<void()>& pass) {
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            for (int i = 0; i < calls_; ++i)
                pass();
            QueryPerformanceCounter(&end);
            return static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                   static_cast<double>(frequency.QuadPart) / calls_;
        };
        const HWND dialog = m_hWnd;
        for (int round = 0; round < rounds_; ++round) {  // interleaved, so drift hits all three alike
            launcher.push_back(timeOnePass([this] { refreshControls(); }));
            queries.push_back(timeOnePass([] { bareQueries(); }));
            full.push_back(timeOnePass([dialog] { bareRefresh(dialog); }));
        }
        EndDialog(IDOK);
        return TRUE;
    }

    std::vector<double> launcher, queries, full;

private:
    int rounds_;
    int calls_;
};

}  // namespace

int main(int argc, char** argv)
{
    const std::string edition = argc > 1 ? argv[1] : "customer";
    const unsigned templateId = editionTemplate(std::wstring(edition.begin(), edition.end()).c_str());
    if (templateId == 0) {
        std::fprintf(stderr, "usage: bench_refresh customer|developer [ROUNDS] [CALLS-PER-ROUND]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const int calls = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;
    RefreshBenchDlg dialog(templateId, rounds, calls);
    if (dialog.DoModal() != IDOK)
        return 1;
    std::printf("launcher_us %.1f\nbare_queries_us %.1f\nbare_full_us %.1f\n", median(dialog.launcher),
                median(dialog.queries), median(dialog.full));
    return 0;
}
