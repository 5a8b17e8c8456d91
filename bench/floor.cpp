// The toolkit's floor for the launch benchmark: a bare Qt Widgets window with
// cTallix's size and title and one label, and nothing else. What it costs to
// start is what any Qt program of that window pays.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("cTallix"));
    window.setFixedSize(463, 282);
    QLabel label(QStringLiteral("Orvane"), &window);
    window.show();
    return QApplication::exec();
}
