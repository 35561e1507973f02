// A second program for the end-to-end tests: one plain text editor window,
// titled "Text source", holding the text given as its argument, from which
// the tests drag text and take the X11 selection, as a user does from any
// other program.
#include <QApplication>
#include <QTextEdit>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextEdit editor;
    editor.setWindowTitle(QStringLiteral("Text source"));
    editor.setAcceptRichText(false);
    editor.setPlainText(argc > 1 ? QString::fromUtf8(argv[1]) : QString());
    editor.resize(400, 120);
    editor.move(0, 0);
    editor.show();
    return QApplication::exec();
}
