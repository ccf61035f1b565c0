// Renders the program's windows with sample data to PNG files in the folder
// given as the first argument.
#include "shots.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tallyo_screenshots OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    int written = 0;
    for (const auto& shoot : tallyo::shots::all())
        written += shoot(out);
    std::printf("%d screenshots written to %s\n", written, argv[1]);
    return 0;
}
