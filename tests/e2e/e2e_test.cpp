// The whole harvest as a user meets it: the real window, the real browser
// engine and the real link resolver, against a local imitation of the five
// engines.

#include "e2e/engine_web.h"

#include "harvest/linkresolution.h"
#include "shell/application.h"
#include "shell/embeddedbrowser.h"
#include "shell/mainwindow.h"
#include "shell/messagebox.h"
#include "shell/qtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace gleaner;
using gleaner::testing::EngineWeb;

namespace {

EngineWeb* web = nullptr;

// The last page the browser asked for, leaving out what pages load on their
// own (the site icon, frames).
QString lastRequest()
{
    const std::vector<std::string> all = web->server().requests();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (it->find("/favicon.ico") == std::string::npos && it->find("/frame") == std::string::npos)
            return QString::fromStdString(*it);
    }
    return {};
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;
    std::vector<Text> m_messages;

    template <typename T = QWidget>
    T* control(const char* name)
    {
        return m_window->findChild<T*>(QString::fromUtf8(name));
    }

    // Runs `action` and waits for the page it opens.
    bool loads(const std::function<void()>& action)
    {
        QSignalSpy loaded(m_window->browser(), &EmbeddedBrowser::documentComplete);
        action();
        const bool ok = loaded.wait(20000);
        QCoreApplication::processEvents(); // the window's own handling of the load
        return ok;
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }

    void searchOn(int engine)
    {
        control<QComboBox>("组合框_引擎")->setCurrentIndex(engine);
        control<QLineEdit>("编辑框_关键字")->setText(QStringLiteral("kw"));
        QVERIFY(loads([&] { click("超级按钮_搜索"); }));
    }

    void runOneClickToTheEnd()
    {
        auto* button = control<QPushButton>("按钮_自动采集");
        click("按钮_自动采集");
        QTRY_COMPARE_WITH_TIMEOUT(button->text(), QStringLiteral("一键采集"), 90000);
        QVERIFY(control<QPushButton>("按钮_采集")->isEnabled());
    }

    QStringList listed()
    {
        QStringList out;
        for (std::int32_t i = 0; i < m_window->linkCount(); ++i)
            out << toQString(m_window->linkText(i));
        return out;
    }

    QByteArray exportList()
    {
        const QString path = QDir::temp().filePath(QStringLiteral("gleaner-e2e-Good.txt"));
        QFile::remove(path);
        m_window->setSaveDialogHandler(
            [&](const QString&, const QString&) { return std::optional<std::string>(QFile::encodeName(path).toStdString()); });
        click("按钮2");
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        file.remove();
        return bytes;
    }

private slots:
    void initTestCase()
    {
        setMessageHandler([this](const Text& text, bool) { m_messages.push_back(text); });
    }

    void init()
    {
        m_messages.clear();
        web->captchaPage = 0;
        web->captchaSolved = false;
        initProgramState();
        m_window = std::make_unique<MainWindow>(harvestState(), captionCipher());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        control<QCheckBox>("选择框_域名处理")->setChecked(false);
    }

    void cleanup()
    {
        m_window.reset();
        releaseProgramState();
    }

    void eachEngine_data()
    {
        QTest::addColumn<int>("engine");
        QTest::addColumn<QStringList>("requests"); // Search, next, previous, Go>> 3
        QTest::addColumn<QStringList>("firstPage");
        const auto targets = [](std::string (*target)(int)) {
            QStringList out;
            for (int r = 0; r < 10; ++r)
                out << QString::fromStdString(target(r));
            return out;
        };
        QTest::newRow("Baidu") << 0
                               << QStringList{"www.baidu.com/s?wd=kw&pn=0&rn=10", "www.baidu.com/s?wd=kw&pn=10&rn=10",
                                              "www.baidu.com/s?wd=kw&pn=0&rn=10", "www.baidu.com/s?wd=kw&pn=20&rn=10"}
                               << targets(&EngineWeb::baiduTarget);
        // Page 2's previous link carries first=1, one digit: Bing's own
        // pattern wants two or three, so the value is 0.
        QTest::newRow("Bing") << 1
                              << QStringList{"cn.bing.com/search?q=kw&first=1&count=10",
                                             "cn.bing.com/search?q=kw&first=11&FORM=PORE&count=10",
                                             "cn.bing.com/search?q=kw&first=0&FORM=PQRE&count=10",
                                             "cn.bing.com/search?q=kw&first=21&count=10"}
                              << targets(&EngineWeb::bingTarget);
        QTest::newRow("Soso") << 2
                              << QStringList{"www.soso.com/q?w=kw&pg=1", "www.soso.com/q?w=kw&pg=2",
                                             "www.soso.com/q?w=kw&pg=1", "www.soso.com/q?w=kw&pg=3"}
                              << targets(&EngineWeb::sosoTarget);
        QTest::newRow("Sougou") << 3
                                << QStringList{"www.sogou.com/web?query=kw&page=1&num=10",
                                               "www.sogou.com/web?query=kw&page=2&num=10",
                                               "www.sogou.com/web?query=kw&page=1&num=10",
                                               "www.sogou.com/web?query=kw&page=3&num=10"}
                                << targets(&EngineWeb::sougouTarget);
        QTest::newRow("google") << 4
                                << QStringList{"142.250.66.100/search?hl=zh-CN&q=kw&start=0&num=10",
                                               "142.250.66.100/search?hl=zh-CN&q=kw&start=10&num=10",
                                               "142.250.66.100/search?hl=zh-CN&q=kw&start=0&num=10",
                                               "142.250.66.100/search?hl=zh-CN&q=kw&start=20&num=10"}
                                << targets(&EngineWeb::googleTarget);
    }
    void eachEngine()
    {
        QFETCH(int, engine);
        QFETCH(QStringList, requests);
        QFETCH(QStringList, firstPage);
        searchOn(engine);
        QCOMPARE(lastRequest(), requests[0]);

        click("按钮_采集");
        QCOMPARE(listed(), firstPage);
        QCOMPARE(control<QLabel>("标签7")->text(), QStringLiteral("10"));

        QVERIFY(loads([&] { click("按钮_下一页"); }));
        QCOMPARE(lastRequest(), requests[1]);
        QVERIFY(loads([&] { click("按钮_上一页"); }));
        QCOMPARE(lastRequest(), requests[2]);
        auto* pageBox = control<QLineEdit>("编辑框_转到页");
        pageBox->setText(QStringLiteral("3"));
        QVERIFY(loads([&] { click("按钮_转到页"); }));
        QCOMPARE(lastRequest(), requests[3]);
        QCOMPARE(pageBox->text(), QStringLiteral("3"));
    }

    void oneClickBaiduThroughTheRedirectorThenExport()
    {
        control<QCheckBox>("选择框_域名处理")->setChecked(true);
        control<QCheckBox>("选择框_去重复")->setChecked(true);
        searchOn(0);
        const std::size_t before = web->server().requests().size();
        runOneClickToTheEnd();
        QStringList hosts;
        QByteArray expected;
        for (int k = 0; k < 9; ++k) {
            hosts << QStringLiteral("http://site%1.example").arg(k);
            expected += "http://site" + QByteArray::number(k) + ".example\r\n";
        }
        QCOMPARE(listed(), hosts);
        int redirects = 0;
        const std::vector<std::string> seen = web->server().requests();
        for (std::size_t i = before; i < seen.size(); ++i)
            redirects += seen[i].rfind("www.baidu.com/link?url=", 0) == 0;
        QCOMPARE(redirects, EngineWeb::kTotal);
        QVERIFY(web->server().saw("www.baidu.com/s?wd=kw&pn=20&rn=10")); // the last page, and no further
        QVERIFY(!web->server().saw("www.baidu.com/s?wd=kw&pn=30&rn=10"));
        QCOMPARE(exportList(), expected);
    }

    void oneClickGoogleUnwrapsThenExport()
    {
        control<QCheckBox>("选择框_去重复")->setChecked(true);
        searchOn(4);
        runOneClickToTheEnd();
        QStringList all;
        QByteArray expected;
        for (int r = 0; r < EngineWeb::kTotal; ++r) {
            all << QString::fromStdString(EngineWeb::googleTarget(r));
            expected += QByteArray::fromStdString(EngineWeb::googleTarget(r)) + "\r\n";
        }
        QCOMPARE(listed(), all);
        QCOMPARE(exportList(), expected);
    }

    void captchaInTheMiddleOfARun()
    {
        web->captchaPage = 2;
        // The user answers the captcha in the browser after reading the message.
        setMessageHandler([this](const Text& text, bool) {
            m_messages.push_back(text);
            QTimer::singleShot(300, m_window.get(), [this] {
                m_window->browser()->page()->runJavaScript(QStringLiteral("document.forms[0].submit()"));
            });
        });
        searchOn(3);
        runOneClickToTheEnd();
        setMessageHandler([this](const Text& text, bool) { m_messages.push_back(text); });
        QCOMPARE(m_messages.size(), std::size_t{1});
        QCOMPARE(toQString(m_messages[0]), QStringLiteral("貌似要验证码,输入验证码后将继续."));
        QVERIFY(web->captchaSolved);
        QStringList all;
        for (int r = 0; r < EngineWeb::kTotal; ++r)
            all << QString::fromStdString(EngineWeb::sougouTarget(r));
        QCOMPARE(listed(), all); // nothing lost, nothing twice
    }

    void stopMidRunThenCopyOpenAndClear()
    {
        searchOn(1);
        auto* button = control<QPushButton>("按钮_自动采集");
        // Stop as soon as the first page is in the list.
        QTimer stopper;
        connect(&stopper, &QTimer::timeout, this, [&] {
            if (m_window->linkCount() >= 10 && button->text() == QStringLiteral("停止采集")) {
                click("按钮_自动采集");
                stopper.stop();
            }
        });
        stopper.start(20);
        click("按钮_自动采集");
        QTRY_COMPARE_WITH_TIMEOUT(button->text(), QStringLiteral("一键采集"), 30000);
        // The step under way may still open one page and, after the program's
        // own 500 ms pause, collect it once; past that nothing more comes.
        QTest::qWait(1500);
        const std::int32_t count = m_window->linkCount();
        QVERIFY(count == 10 || count == 20);
        QVERIFY(control<QPushButton>("按钮_采集")->isEnabled());

        auto* list = control<QListView>("列表框_采集网址");
        QTRY_COMPARE(list->model()->rowCount(), count);
        list->setCurrentIndex(list->model()->index(1, 0));
        click("按钮1");
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(EngineWeb::bingTarget(1)));

        QTRY_VERIFY(list->visualRect(list->model()->index(1, 0)).isValid());
        const QRect row = list->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(loads([&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center()); }));
        QCOMPARE(lastRequest(), QStringLiteral("bing1.example/a/b"));

        click("按钮3");
        QCOMPARE(m_window->linkCount(), 0);
        QCOMPARE(control<QLabel>("标签7")->text(), QStringLiteral("0"));
    }
};

int main(int argc, char** argv)
{
    EngineWeb engineWeb;
    const int port = engineWeb.start();
    web = &engineWeb;
    // The browser sends everything, numeric addresses included, to the
    // imitation as its proxy; the resolver connects there for Baidu's host.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            "--disable-gpu --proxy-server=http://127.0.0.1:" + QByteArray::number(port));
    redirectSettings().connectTo = {"www.baidu.com:80:127.0.0.1:" + std::to_string(port)};
    QApplication app(argc, argv);
    EndToEndTest test;
    const int rc = QTest::qExec(&test, argc, argv);
    engineWeb.server().stop();
    return rc;
}

#include "e2e_test.moc"
