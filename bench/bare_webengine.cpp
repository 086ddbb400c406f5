// Baseline for the start-up benchmark: the least a program can do to show a
// Qt WebEngine view and request the same start page.

#include <QApplication>
#include <QWebEngineView>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWebEngineView view;
    view.resize(758, 450);
    view.load(QUrl(QStringLiteral("http://www.baidu.com")));
    view.show();
    return QApplication::exec();
}
