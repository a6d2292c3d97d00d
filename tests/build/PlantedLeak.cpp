// A leak planted in an event handler, reached only through Qt's event
// dispatch. The sanitizer build runs this and expects LeakSanitizer to report
// it: a suppression file that hid it would hide every leak of the windows.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

class CLeakyWidget : public QWidget
{
protected:
    void timerEvent(QTimerEvent *) override
    {
        m_pLost = new int[16]{42};  // planted: never freed
        m_pLost = nullptr;
        QApplication::quit();
    }

private:
    int *m_pLost = nullptr;
};

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CLeakyWidget widget;
    widget.startTimer(0);
    return QApplication::exec();
}
