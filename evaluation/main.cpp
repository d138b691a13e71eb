// Knotelbench: the evaluation program of the Knotel.Curve control.
#include "KnotelbenchMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Knotelbench"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Evaluation window of the Knotel.Curve control."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the shown window as a PNG image and quit."),
                                        QStringLiteral("file.png"));
    parser.addOption(screenshot);
    parser.process(app);

    try {
        knotelbench::KnotelbenchMain window;
        window.show();
        if (parser.isSet(screenshot)) {
            const QString file = parser.value(screenshot);
            // Leave the window time to be mapped and painted before grabbing it.
            QTimer::singleShot(500, &window, [&window, file] {
                if (window.grab().save(file, "PNG")) {
                    QApplication::quit();
                } else {
                    std::fprintf(stderr, "Knotelbench: cannot write %s\n", qPrintable(file));
                    QApplication::exit(1);
                }
            });
        }
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Knotelbench: %s\n", error.what());
        return 1;
    }
}
