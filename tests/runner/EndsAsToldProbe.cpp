// A GoogleTest program that ends its run as its argument tells it, for the
// test of the runner's verdict (expect-verdict): "finish" runs its test to the
// end; "exit" calls exit(0) inside it; "crash" writes through a null pointer,
// with GoogleTest's own exception handler off so nothing catches it; "before"
// returns 0 before the tests begin.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string ending;

TEST(EndsAsTold, Ending)
{
    if (ending == "exit")
        std::exit(0);
    if (ending == "crash") {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ending = argc > 1 ? argv[1] : "";
    if (ending == "before")
        return 0;
    testing::GTEST_FLAG(catch_exceptions) = false;
    return RUN_ALL_TESTS();
}
