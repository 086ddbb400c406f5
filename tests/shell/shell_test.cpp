// The window, its layout and start-up values, and the browser panel driving
// the real Qt WebEngine against a loopback server that answers for the
// engines' host names.

#include "common/fixture_server.h"

#include "shell/application.h"
#include "shell/embeddedbrowser.h"
#include "shell/mainwindow.h"
#include "shell/qtext.h"
#include "shell/startupvalues.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace gleaner;

namespace {

gleaner::testing::FixtureServer* server = nullptr;

const QString kCaption = QStringLiteral("拾穗 网址采集器 1.0");

template <typename T = QWidget>
T* control(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromUtf8(name));
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    void makeWindow()
    {
        m_window.reset();
        initProgramState();
        m_window = std::make_unique<MainWindow>(harvestState(), captionCipher());
    }

    void showWindow()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // Navigates through the address box and Enter, and waits for the load.
    void openThroughAddressBox(const QString& address)
    {
        auto* box = control<QLineEdit>(m_window.get(), "编辑框_浏览器地址");
        QSignalSpy loaded(m_window->browser(), &EmbeddedBrowser::documentComplete);
        box->setText(address);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(loaded.wait(15000));
    }

private slots:
    void init() { makeWindow(); }
    void cleanup()
    {
        m_window.reset();
        releaseProgramState();
    }

    void startupValues()
    {
        // Before the browser reports a title, the caption is the deciphered one.
        QCOMPARE(m_window->windowTitle(), kCaption);
        QCOMPARE(toQString(harvestState().captionText), kCaption);
        QCOMPARE(control<QLineEdit>(m_window.get(), "编辑框_浏览器地址")->text(), QStringLiteral("http://www.baidu.com"));
        QCOMPARE(control<QComboBox>(m_window.get(), "组合框_谷歌网址")->currentIndex(), 0);
        QCOMPARE(control<QComboBox>(m_window.get(), "组合框_显示条数")->currentText(), QStringLiteral("10"));
        QCOMPARE(control<QComboBox>(m_window.get(), "组合框_引擎")->currentText(), QStringLiteral("Baidu"));
        QCOMPARE(control<QProgressBar>(m_window.get(), "进度条1")->value(), 0);
        QVERIFY(control<QCheckBox>(m_window.get(), "选择框_域名处理")->isChecked());
        QVERIFY(!control<QCheckBox>(m_window.get(), "选择框_去重复")->isChecked());
        QCOMPARE(control<QLabel>(m_window.get(), "标签7")->text(), QStringLiteral("-"));
        QCOMPARE(control<QLineEdit>(m_window.get(), "编辑框_关键字")->text(), QStringLiteral("Orvel's blog"));
        QCOMPARE(control<QPushButton>(m_window.get(), "按钮_自动采集")->text(), QStringLiteral("一键采集"));

        const HarvestState& s = harvestState();
        QCOMPARE(s.autoHarvest, 0);
        QCOMPARE(s.captchaPrompts, 0);
        QCOMPARE(s.pageLoads, 0);
        QCOMPARE(s.pageNumber, 0);
        QCOMPARE(s.resultOffset, 0);
        QCOMPARE(s.pageSize, 0);
        QCOMPARE(s.searchEngine, 0);
        QVERIFY(s.seenLinks && s.seenLinks->empty());
        QVERIFY(s.emptyLinkSet && s.emptyLinkSet->empty());
    }

    void everyControlExists_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* n :
             {"高级选择夹1", "浏览器", "分组框2", "编辑框_浏览器地址", "超级按钮_浏览器跳转", "超级按钮_浏览器刷新",
              "超级按钮_浏览器停止", "超级按钮_浏览器后退", "超级按钮_浏览器前进", "标签1", "编辑框_关键字",
              "超级按钮_搜索", "组合框_引擎", "标签2", "组合框_显示条数", "标签3", "按钮_上一页", "按钮_下一页",
              "标签4", "编辑框_转到页", "标签5", "按钮_转到页", "选择框_域名处理", "标签7", "按钮_采集",
              "按钮_自动采集", "列表框_采集网址", "选择框_去重复", "按钮1", "按钮2", "按钮3", "标签6",
              "组合框_谷歌网址", "透明标签1", "进度条1"})
            QTest::newRow(n) << QString::fromUtf8(n);
    }
    void everyControlExists()
    {
        QFETCH(QString, name);
        QVERIFY2(m_window->findChild<QWidget*>(name) != nullptr, qPrintable(name));
    }

    void layoutAtDesignedSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("tab control") << "高级选择夹1" << QRect(0, 0, 752, 380);
        QTest::newRow("group box") << "分组框2" << QRect(2, 8, 270, 346);
        QTest::newRow("progress bar") << "进度条1" << QRect(1, 398, 756, 20);
        QTest::newRow("status line") << "透明标签1" << QRect(2, 382, 754, 12);
        QTest::newRow("harvest list") << "列表框_采集网址" << QRect(4, 109, 259, 206);
        QTest::newRow("de-duplicate") << "选择框_去重复" << QRect(19, 321, 56, 19);
        QTest::newRow("copy") << "按钮1" << QRect(95, 321, 45, 19);
        QTest::newRow("export") << "按钮2" << QRect(151, 321, 45, 19);
        QTest::newRow("clear") << "按钮3" << QRect(207, 321, 45, 19);
        QTest::newRow("address box") << "编辑框_浏览器地址" << QRect(282, 13, 218, 20);
        QTest::newRow("go") << "超级按钮_浏览器跳转" << QRect(504, 13, 46, 20);
        QTest::newRow("refresh") << "超级按钮_浏览器刷新" << QRect(553, 13, 46, 20);
        QTest::newRow("stop") << "超级按钮_浏览器停止" << QRect(602, 13, 46, 20);
        QTest::newRow("back") << "超级按钮_浏览器后退" << QRect(651, 13, 46, 20);
        QTest::newRow("forward") << "超级按钮_浏览器前进" << QRect(700, 13, 46, 20);
        QTest::newRow("browser") << "浏览器" << QRect(282, 36, 464, 316);
        // Untouched by the layout: as the window definition places them.
        QTest::newRow("keyword box") << "编辑框_关键字" << QRect(50, 15, 150, 20);
        QTest::newRow("collect") << "按钮_采集" << QRect(162, 81, 36, 24);
        QTest::newRow("google list") << "组合框_谷歌网址" << QRect(168, 112, 312, 22);
    }
    void layoutAtDesignedSize()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        showWindow();
        QCOMPARE(m_window->frameGeometry().size(), QSize(758, 450));
        QCOMPARE(m_window->findChild<QWidget*>(name)->geometry(), geometry);
    }

    void layoutFollowsSize_data()
    {
        QTest::addColumn<QSize>("growth");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("change"); // added to left, top, width, height
        const QSize wider(100, 0);
        const QSize taller(0, 100);
        for (const char* n : {"高级选择夹1", "进度条1", "透明标签1", "编辑框_浏览器地址", "浏览器"})
            QTest::newRow(qPrintable(QStringLiteral("wider ") + QString::fromUtf8(n)))
                << wider << QString::fromUtf8(n) << QRect(0, 0, 100, 0);
        for (const char* n : {"超级按钮_浏览器跳转", "超级按钮_浏览器刷新", "超级按钮_浏览器停止",
                              "超级按钮_浏览器后退", "超级按钮_浏览器前进"})
            QTest::newRow(qPrintable(QStringLiteral("wider ") + QString::fromUtf8(n)))
                << wider << QString::fromUtf8(n) << QRect(100, 0, 0, 0);
        for (const char* n : {"分组框2", "列表框_采集网址", "按钮1", "编辑框_关键字"})
            QTest::newRow(qPrintable(QStringLiteral("wider ") + QString::fromUtf8(n)))
                << wider << QString::fromUtf8(n) << QRect(0, 0, 0, 0);
        for (const char* n : {"高级选择夹1", "分组框2", "列表框_采集网址", "浏览器"})
            QTest::newRow(qPrintable(QStringLiteral("taller ") + QString::fromUtf8(n)))
                << taller << QString::fromUtf8(n) << QRect(0, 0, 0, 100);
        for (const char* n : {"进度条1", "透明标签1", "选择框_去重复", "按钮1", "按钮2", "按钮3"})
            QTest::newRow(qPrintable(QStringLiteral("taller ") + QString::fromUtf8(n)))
                << taller << QString::fromUtf8(n) << QRect(0, 100, 0, 0);
        for (const char* n : {"编辑框_浏览器地址", "超级按钮_浏览器跳转", "按钮_采集"})
            QTest::newRow(qPrintable(QStringLiteral("taller ") + QString::fromUtf8(n)))
                << taller << QString::fromUtf8(n) << QRect(0, 0, 0, 0);
    }
    void layoutFollowsSize()
    {
        QFETCH(QSize, growth);
        QFETCH(QString, name);
        QFETCH(QRect, change);
        showWindow();
        QWidget* w = m_window->findChild<QWidget*>(name);
        const QRect before = w->geometry();
        m_window->resize(m_window->size() + growth);
        QTRY_COMPARE(m_window->frameGeometry().size(), QSize(758, 450) + growth);
        const QRect after = w->geometry();
        QCOMPARE(QRect(after.x() - before.x(), after.y() - before.y(), after.width() - before.width(),
                       after.height() - before.height()),
                 change);
    }

    void pageBoxTakesOnlyDigitsAndMinus()
    {
        auto* box = control<QLineEdit>(m_window.get(), "编辑框_转到页");
        QTest::keyClicks(box, "a1-x2B9");
        QCOMPARE(box->text(), QStringLiteral("1-29"));
    }

    void listsTakeTypingOnlyWhereAllowed()
    {
        QVERIFY(control<QComboBox>(m_window.get(), "组合框_显示条数")->isEditable());
        QVERIFY(!control<QComboBox>(m_window.get(), "组合框_引擎")->isEditable());
        QVERIFY(!control<QComboBox>(m_window.get(), "组合框_谷歌网址")->isEditable());
        auto* count = control<QComboBox>(m_window.get(), "组合框_显示条数");
        count->lineEdit()->selectAll();
        QTest::keyClicks(count->lineEdit(), "15abc");
        QCOMPARE(count->currentText(), QStringLiteral("15abc"));
    }

    void escapeClosesTheWindow()
    {
        showWindow();
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!m_window->isVisible());
    }

    void settingsPageHidesTheBrowser()
    {
        showWindow();
        auto* tabs = control<TabControl>(m_window.get(), "高级选择夹1");
        tabs->setCurrentIndex(1);
        QVERIFY(!m_window->browser()->isVisible());
        QVERIFY(control<QComboBox>(m_window.get(), "组合框_谷歌网址")->isVisible());
        tabs->setCurrentIndex(0);
        QVERIFY(m_window->browser()->isVisible());
        QVERIFY(control<QGroupBox>(m_window.get(), "分组框2")->isVisible());
    }

    void captionEndsAtItsFirstZeroByte()
    {
        StreamCipher maker;
        const ByteBuffer key = textToBytes("Abcdefghijk");
        const ByteBuffer secret = maker.encryptBytes(ByteBuffer("ab\0cd", 5), "Abcdefghijk");
        StreamCipher cipher;
        QCOMPARE(QString::fromStdString(decipherCaption(cipher, key, secret)), QStringLiteral("ab"));
        StreamCipher shipped;
        QCOMPARE(toQString(decipherCaption(shipped, bufferOf(kCaptionKey), bufferOf(kCaptionBytes))), kCaption);
    }

    void addressBoxNavigatesAndCaptionFollowsTitle()
    {
        showWindow();
        openThroughAddressBox(QStringLiteral("http://www.baidu.com/titled"));
        QVERIFY(server->saw("www.baidu.com/titled"));
        QTRY_COMPARE(m_window->windowTitle(), QStringLiteral(" - 中文标题   ") + kCaption);
        QCOMPARE(control<QLineEdit>(m_window.get(), "编辑框_浏览器地址")->text(),
                 QStringLiteral("http://www.baidu.com/titled"));
        // Progress reached the bar: maximum, then minimum 1, then the position.
        auto* bar = control<QProgressBar>(m_window.get(), "进度条1");
        QTRY_COMPARE(bar->value(), 100);
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 100);
    }

    void goButtonAndDoubleClickClear()
    {
        showWindow();
        auto* box = control<QLineEdit>(m_window.get(), "编辑框_浏览器地址");
        QSignalSpy loaded(m_window->browser(), &EmbeddedBrowser::documentComplete);
        box->setText(QStringLiteral("http://cn.bing.com/plain"));
        QTest::mouseClick(control<QPushButton>(m_window.get(), "超级按钮_浏览器跳转"), Qt::LeftButton);
        QVERIFY(loaded.wait(15000));
        QVERIFY(server->saw("cn.bing.com/plain"));
        QTest::mouseDClick(box, Qt::LeftButton);
        QCOMPARE(box->text(), QString());
    }

    void newWindowsOpenInTheSameBrowser_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("target=_blank link") << "http://www.baidu.com/opener-link" << "http://www.baidu.com/popup-link";
        QTest::newRow("window.open") << "http://www.baidu.com/opener-script" << "http://www.baidu.com/popup-script";
    }
    void newWindowsOpenInTheSameBrowser()
    {
        QFETCH(QString, page);
        QFETCH(QString, expected);
        showWindow();
        openThroughAddressBox(page);
        const int windowsBefore = QApplication::topLevelWidgets().size();
        // Nothing is hovered: the status line is empty, the request still
        // carries its address.
        QCOMPARE(control<QLabel>(m_window.get(), "透明标签1")->text(), QString());
        m_window->browser()->page()->runJavaScript(QStringLiteral("openIt()"));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->browser()->url().toString(), expected, 15000);
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
    }

    void pageHtmlGivesCodePage936Bytes_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("utf-8 page") << "http://www.baidu.com/chinese-utf8";
        QTest::newRow("gbk page") << "http://www.baidu.com/chinese-gbk";
    }
    void pageHtmlGivesCodePage936Bytes()
    {
        QFETCH(QString, address);
        showWindow();
        openThroughAddressBox(address);
        const Text html = m_window->browser()->pageHtml();
        QVERIFY2(html.find("<h3 class=\"t\"><a href=\"http://x.example/\">\xD6\xD0\xCE\xC4</a></h3>") !=
                     std::string::npos,
                 html.c_str());
        QVERIFY(html.starts_with("<html"));
    }

    void searchAndPagingInTheRealWindow_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QStringList>("expected"); // Search, Go>> 3, next, previous
        QTest::newRow("Baidu") << 0
                               << QStringList{"www.baidu.com/s?wd=kw&pn=0&rn=10", "www.baidu.com/s?wd=kw&pn=20&rn=10",
                                              "www.baidu.com/s?wd=kw&pn=30&rn=10", "www.baidu.com/s?wd=kw&pn=20&rn=10"};
        QTest::newRow("Bing") << 1
                              << QStringList{"cn.bing.com/search?q=kw&first=1&count=10",
                                             "cn.bing.com/search?q=kw&first=21&count=10",
                                             "cn.bing.com/search?q=kw&first=31&FORM=PORE&count=10",
                                             "cn.bing.com/search?q=kw&first=11&FORM=PQRE&count=10"};
        QTest::newRow("Soso") << 2
                              << QStringList{"www.soso.com/q?w=kw&pg=1", "www.soso.com/q?w=kw&pg=3",
                                             "www.soso.com/q?w=kw&pg=4", "www.soso.com/q?w=kw&pg=3"};
        QTest::newRow("Sougou") << 3
                                << QStringList{"www.sogou.com/web?query=kw&page=1&num=10",
                                               "www.sogou.com/web?query=kw&page=3&num=10",
                                               "www.sogou.com/web?query=kw&page=4&num=10",
                                               "www.sogou.com/web?query=kw&page=3&num=10"};
        QTest::newRow("google") << 4
                                << QStringList{"www.google.test/search?hl=zh-CN&q=kw&start=0&num=10",
                                               "www.google.test/search?hl=zh-CN&q=kw&start=20&num=10",
                                               "www.google.test/search?hl=zh-CN&q=kw&start=30&num=10",
                                               "www.google.test/search?hl=zh-CN&q=kw&start=20&num=10"};
    }
    void searchAndPagingInTheRealWindow()
    {
        QFETCH(int, engine);
        QFETCH(QStringList, expected);
        showWindow();
        // Host names reach the fixture server; a numeric address would not,
        // so google is pointed at a host name for the test.
        auto* google = control<QComboBox>(m_window.get(), "组合框_谷歌网址");
        google->addItem(QStringLiteral("http://www.google.test"));
        google->setCurrentIndex(google->count() - 1);
        control<QComboBox>(m_window.get(), "组合框_引擎")->setCurrentIndex(engine);
        control<QLineEdit>(m_window.get(), "编辑框_关键字")->setText(QStringLiteral("kw"));
        auto* pageBox = control<QLineEdit>(m_window.get(), "编辑框_转到页");

        const std::function<void()> steps[] = {
            [&] { QTest::mouseClick(control<QPushButton>(m_window.get(), "超级按钮_搜索"), Qt::LeftButton); },
            [&] {
                pageBox->setText(QStringLiteral("3"));
                QTest::keyClick(pageBox, Qt::Key_Return);
            },
            [&] { QTest::mouseClick(control<QPushButton>(m_window.get(), "按钮_下一页"), Qt::LeftButton); },
            [&] { QTest::mouseClick(control<QPushButton>(m_window.get(), "按钮_上一页"), Qt::LeftButton); },
        };
        for (int i = 0; i < 4; ++i) {
            QSignalSpy loaded(m_window->browser(), &EmbeddedBrowser::documentComplete);
            steps[i]();
            QVERIFY2(loaded.wait(15000), qPrintable(expected[i]));
            QCOMPARE(QString::fromStdString(server->lastPageRequest()), expected[i]);
        }
        QCOMPARE(pageBox->text(), QStringLiteral("3"));
    }

    // Search on Sougou, whose links pass unchanged, and wait for page 1.
    void searchSougou()
    {
        control<QComboBox>(m_window.get(), "组合框_引擎")->setCurrentIndex(3);
        control<QLineEdit>(m_window.get(), "编辑框_关键字")->setText(QStringLiteral("kw"));
        QSignalSpy loaded(m_window->browser(), &EmbeddedBrowser::documentComplete);
        QTest::mouseClick(control<QPushButton>(m_window.get(), "超级按钮_搜索"), Qt::LeftButton);
        QVERIFY(loaded.wait(15000));
        // Let the window handle the load as well before the test clicks on.
        QCoreApplication::processEvents();
    }

    void collectAndTheListCommands()
    {
        showWindow();
        searchSougou();
        auto* list = control<QListView>(m_window.get(), "列表框_采集网址");
        auto* label = control<QLabel>(m_window.get(), "标签7");
        QTest::mouseClick(control<QPushButton>(m_window.get(), "按钮_采集"), Qt::LeftButton);
        QCOMPARE(m_window->linkCount(), 2);
        // The view hears of new rows shortly after they were appended.
        QTRY_COMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("http://s1-1.example"));
        QCOMPARE(label->text(), QStringLiteral("2"));

        control<QCheckBox>(m_window.get(), "选择框_域名处理")->setChecked(false);
        control<QCheckBox>(m_window.get(), "选择框_去重复")->setChecked(true);
        QTest::mouseClick(control<QPushButton>(m_window.get(), "按钮_采集"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(m_window.get(), "按钮_采集"), Qt::LeftButton);
        QCOMPARE(m_window->linkCount(), 4); // the second Collect adds nothing new
        QTRY_COMPARE(list->model()->rowCount(), 4);
        QCOMPARE(list->model()->index(3, 0).data().toString(), QStringLiteral("http://s1-2.example/a/b"));

        // Copy the selected row.
        list->setCurrentIndex(list->model()->index(2, 0));
        QTest::mouseClick(control<QPushButton>(m_window.get(), "按钮1"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("http://s1-1.example/a/b"));

        // Export through the dialog, answered by the test.
        const QString path = QDir::temp().filePath(QStringLiteral("gleaner-shell-export.txt"));
        QFile::remove(path);
        QString offeredName, offeredFolder;
        m_window->setSaveDialogHandler([&](const QString& name, const QString& folder) -> std::optional<std::string> {
            offeredName = name;
            offeredFolder = folder;
            return QFile::encodeName(path).toStdString();
        });
        QTest::mouseClick(control<QPushButton>(m_window.get(), "按钮2"), Qt::LeftButton);
        QCOMPARE(offeredName, QStringLiteral("Good"));
        QCOMPARE(offeredFolder, QCoreApplication::applicationDirPath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("http://s1-1.example\r\nhttp://s1-2.example\r\n"
                                            "http://s1-1.example/a/b\r\nhttp://s1-2.example/a/b\r\n"));
        file.remove();

        // Double-click opens the row in the browser.
        QSignalSpy loaded(m_window->browser(), &EmbeddedBrowser::documentComplete);
        const QRect row = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(loaded.wait(15000));
        QCOMPARE(m_window->browser()->url().host(), QStringLiteral("s1-1.example"));

        QTest::mouseClick(control<QPushButton>(m_window.get(), "按钮3"), Qt::LeftButton);
        QCOMPARE(m_window->linkCount(), 0);
        QCOMPARE(label->text(), QStringLiteral("0"));
    }

    void oneClickHarvestRunsToTheLastPage()
    {
        showWindow();
        searchSougou();
        control<QCheckBox>(m_window.get(), "选择框_域名处理")->setChecked(false);
        auto* button = control<QPushButton>(m_window.get(), "按钮_自动采集");
        auto* collect = control<QPushButton>(m_window.get(), "按钮_采集");
        QTest::mouseClick(button, Qt::LeftButton);
        // The click returns once the first page is collected and turned.
        QCOMPARE(button->text(), QStringLiteral("停止采集"));
        QVERIFY(!collect->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(button->text(), QStringLiteral("一键采集"), 60000);
        QVERIFY(collect->isEnabled());
        QCOMPARE(m_window->linkCount(), 10);
        for (int page = 1; page <= 5; ++page)
            QCOMPARE(QString::fromStdString(m_window->linkText(2 * (page - 1))),
                     QStringLiteral("http://s%1-1.example/a/b").arg(page));
        QCOMPARE(control<QLineEdit>(m_window.get(), "编辑框_转到页")->text(), QStringLiteral("5"));
    }

    void pageHtmlOfNoDocumentIsEmpty()
    {
        // A fresh browser that never loaded anything answers with no markup
        // worth reading, and never hangs.
        EmbeddedBrowser fresh;
        const Text html = fresh.pageHtml(3000);
        QVERIFY(html.find("<h3") == std::string::npos);
    }
};

namespace {

void serveFixturePages(gleaner::testing::FixtureServer& s)
{
    const std::string head = "<html><head><meta charset=\"utf-8\">";
    s.page("/", head + "<title>home</title></head><body>home</body></html>");
    s.page("/plain", head + "<title>plain</title></head><body>plain</body></html>");
    s.page("/titled", head + "<title>中文标题</title></head><body>titled</body></html>");
    s.page("/opener-link", head +
                               "<title>opener</title></head><body><a id=\"x\" target=\"_blank\" "
                               "href=\"/popup-link\">open</a><script>function openIt(){"
                               "document.getElementById('x').click();}</script></body></html>");
    s.page("/opener-script", head + "<title>opener</title></head><body><script>function openIt(){"
                                    "window.open('/popup-script');}</script></body></html>");
    s.page("/popup-link", head + "<title>popup</title></head><body>popup</body></html>");
    s.page("/popup-script", head + "<title>popup</title></head><body>popup</body></html>");
    const std::string body = "<body><h3 class=\"t\"><a href=\"http://x.example/\">中文</a></h3></body></html>";
    s.page("/chinese-utf8", head + "<title>t</title></head>" + body);
    // One result page for every engine, with every paging link it looks for.
    const std::string results = head +
                                "<title>results</title></head><body><h3><a href=\"http://r.example/\">r</a></h3>"
                                "<a href=\"/x?first=11&amp;FORM=PQRE\">&lt;上一页</a>"
                                "<a href=\"/x?first=31&amp;FORM=PORE\">下一页&gt;</a></body></html>";
    for (const char* path : {"/s", "/search", "/q"})
        s.page(path, results);
    // Sougou's pages 1 to 5, two results each; page 5 is the last.
    s.handle("/web", [head](const httplib::Request& req, httplib::Response& res) {
        const int page = std::atoi(req.get_param_value("page").c_str());
        const std::string n = std::to_string(page);
        std::string html = head + "<title>page " + n + "</title></head><body>";
        for (const char* r : {"1", "2"})
            html += "<h3 class=\"t\"><a href=\"http://s" + n + "-" + r + ".example/a/b\">" + r + "</a></h3>";
        html += "<a href=\"/x?first=11&amp;FORM=PQRE\">&lt;上一页</a>";
        if (page < 5)
            html += "<a href=\"/x?first=31&amp;FORM=PORE\">下一页&gt;</a>";
        res.set_content(html + "</body></html>", "text/html; charset=utf-8");
    });
    s.page("/chinese-gbk",
           "<html><head><meta charset=\"gbk\"><title>t</title></head><body><h3 class=\"t\"><a "
           "href=\"http://x.example/\">\xD6\xD0\xCE\xC4</a></h3></body></html>",
           "text/html; charset=gbk");
}

} // namespace

int main(int argc, char** argv)
{
    gleaner::testing::FixtureServer fixture;
    serveFixturePages(fixture);
    const int port = fixture.start();
    server = &fixture;
    // Every host name the browser looks up goes to the fixture server.
    const QByteArray flags = "--disable-gpu --host-resolver-rules=\"MAP * 127.0.0.1:" + QByteArray::number(port) + "\"";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    QApplication app(argc, argv);
    ShellTest test;
    const int rc = QTest::qExec(&test, argc, argv);
    fixture.stop();
    return rc;
}

#include "shell_test.moc"
