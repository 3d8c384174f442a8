// Entry point of the window tests: one QApplication for the whole program.
// The platform (offscreen) comes from the test's environment, set by CTest.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery) needs no display at all. The flag
    // is read from GoogleTest, which has already taken it out of argv.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
