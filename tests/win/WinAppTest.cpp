// The application's entry point.
#include "framework/WinApp.h"

#include <gtest/gtest.h>

namespace {

TEST(AfxWinMain, RunsInitInstanceOnceAndEndsWithZero)
{
    EXPECT_EQ(CWinApp::current(), nullptr);
    EXPECT_EQ(AfxWinMain(), -1) << "no application object";
    struct CountingApp : CWinApp {
        int calls = 0;
        BOOL InitInstance() override
        {
            ++calls;
            return FALSE;
        }
    } app;
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(app.calls, 1);
}

}  // namespace
