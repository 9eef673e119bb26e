// Renders the main window with an image open, for the README:
//   screenshot IMAGE.smc OUTPUT.png [tab key] [row]
#include "EditorSession.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: screenshot IMAGE OUTPUT.png [tab] [row]\n");
        return 2;
    }
    tools::EditorSession editor;
    editor.open(QString::fromLocal8Bit(argv[1]));
    if (argc > 3)
        editor.selectTab(QString::fromLatin1(argv[3]));
    if (argc > 4)
        editor.selectRow(QString::fromLatin1(argv[4]).toInt());
    QApplication::processEvents();
    if (!editor.window.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
