// Draws the program's icon at the sizes a desktop looks for and writes them
// as FOLDER/<size>x<size>/apps/quillet32.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <iostream>

#include "platform/qt/program_pictures.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: make_icons FOLDER" << std::endl;
        return 2;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) || !q32::programIconImage(size).save(folder + "/quillet32.png")) {
            std::cerr << "make_icons: cannot write " << folder.toStdString() << std::endl;
            return 1;
        }
    }
    return 0;
}
