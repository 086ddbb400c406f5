// The harvest list as the window shows it: appending 200,000 links one at a
// time must cost the same per link at the end as at the start.

#include "shell/linklistmodel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QListView view;
    auto* model = new gleaner::LinkListModel(&view);
    view.setModel(model);
    view.setUniformItemSizes(true);
    view.resize(259, 206);
    view.show();

    constexpr int kLinks = 200'000;
    constexpr int kBatch = 10'000;
    double first = 0;
    double last = 0;
    QElapsedTimer timer;
    for (int batch = 0; batch < kLinks / kBatch; ++batch) {
        timer.start();
        for (int i = 0; i < kBatch; ++i) {
            model->append("http://www.host" + std::to_string(batch * kBatch + i) + ".example.com");
            QCoreApplication::processEvents(); // as Collect does after each link
        }
        const double ns = static_cast<double>(timer.nsecsElapsed()) / kBatch;
        if (batch == 0)
            first = ns;
        last = ns;
    }
    std::printf("append, first 10,000 links: %.0f ns a link\n", first);
    std::printf("append, last 10,000 links:  %.0f ns a link\n", last);
    std::printf("ratio last / first: %.2fx (flat means about 1x)\n", last / first);
    return 0;
}
