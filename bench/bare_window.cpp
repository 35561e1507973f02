// The floor of the start-up benchmark (bench/startup): a bare Qt Widgets
// window with the client size of the program's windows (714 x 471) that
// draws text: one button and one label, in the default font. It shows one
// window; with a count N, each key pressed in one of
// its windows shows one more, up to N, so that the benchmark opens further
// windows with the same keystrokes it sends to the program.
//   quantelo_bare_window [N]      (default 1)

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

class BareWindow : public QWidget {
public:
    explicit BareWindow(std::vector<std::unique_ptr<BareWindow>>& windows, int limit)
        : m_windows(windows)
        , m_limit(limit)
    {
        setWindowTitle(QStringLiteral("Bare window %1").arg(windows.size() + 1));
        setFixedSize(714, 471);
        auto* button = new QPushButton(QStringLiteral("&Button"), this);
        button->setGeometry(96, 288, 521, 33);
        auto* label = new QLabel(QStringLiteral("A label"), this);
        label->setGeometry(96, 344, 521, 33);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Alt:
        case Qt::Key_Control:
        case Qt::Key_Shift:
        case Qt::Key_Meta:
        case Qt::Key_AltGr: return;
        default: break;
        }
        if (static_cast<int>(m_windows.size()) < m_limit)
            showAnother(m_windows, m_limit);
    }

public:
    static void showAnother(std::vector<std::unique_ptr<BareWindow>>& windows, int limit)
    {
        windows.push_back(std::make_unique<BareWindow>(windows, limit));
        // Not show(): a web page would open it full screen, without the
        // title bar the program's windows have.
        windows.back()->setVisible(true);
    }

private:
    std::vector<std::unique_ptr<BareWindow>>& m_windows;
    int m_limit;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int limit = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    std::vector<std::unique_ptr<BareWindow>> windows;
    BareWindow::showAnother(windows, limit);
    const int status = QApplication::exec();
    windows.clear();
    return status;
}
