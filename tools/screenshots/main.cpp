// Renders every window of the catalogue in English and Japanese to PNG files:
//   ormel-screenshots OUTDIR [NAME-FILTER]
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

#include "WindowCatalog.h"
#include "text/CStringTable.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ormel-screenshots OUTDIR [NAME-FILTER]\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString filter = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(outDir);
    const QString module = QCoreApplication::applicationDirPath() + "/ORMEL_jpn.txt";

    int written = 0;
    for (const char* lang : {"en", "jpn"}) {
        if (std::string(lang) == "jpn") {
            std::string error;
            if (!CStringTable::Instance().LoadLanguageModule(module.toStdString(), &error)) {
                std::fprintf(stderr, "cannot load %s: %s\n", qPrintable(module), error.c_str());
                return 1;
            }
        }
        for (const WindowEntry& entry : AllWindows()) {
            const QString name = QString::fromStdString(entry.name);
            if (!filter.isEmpty() && !name.contains(filter))
                continue;
            std::unique_ptr<QWidget> w = entry.make();
            w->show();
            QApplication::processEvents();
            const QString path = QStringLiteral("%1/%2_%3.png").arg(outDir, name, lang);
            if (!w->grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            std::printf("%s\n", qPrintable(path));
            ++written;
            w->close();
        }
    }
    std::printf("%d screenshots\n", written);
    return 0;
}
