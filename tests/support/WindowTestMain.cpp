// One test program for every window test: their desktop runs pick theirs by --gtest_filter.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // As the program runs: a closed window (an information window, a box) never ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
