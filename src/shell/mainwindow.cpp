#include "shell/mainwindow.h"

#include "harvest/collect.h"
#include "harvest/listcommands.h"
#include "search/autoharvest.h"
#include "search/commands.h"
#include "search/engines.h"
#include "shell/embeddedbrowser.h"
#include "shell/linklistmodel.h"
#include "shell/messagebox.h"
#include "shell/qtext.h"
#include "shell/startupvalues.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QEventLoop>
#include <QTimer>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>

namespace gleaner {

// ---------------------------------------------------------------- TabControl

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this))
{
    m_bar->setShape(QTabBar::RoundedSouth);
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    m_bar->setFont(font);
    connect(m_bar, &QTabBar::currentChanged, this, &TabControl::showPage);
}

QWidget* TabControl::addPage(const QString& caption)
{
    auto* page = new QWidget(this);
    m_pages.push_back(page);
    m_bar->addTab(caption);
    showPage(m_bar->currentIndex());
    return page;
}

void TabControl::setCurrentIndex(int index) { m_bar->setCurrentIndex(index); }
int TabControl::currentIndex() const { return m_bar->currentIndex(); }

void TabControl::showPage(int index)
{
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(static_cast<int>(i) == index);
}

void TabControl::resizeEvent(QResizeEvent*)
{
    const int barHeight = m_bar->sizeHint().height();
    m_bar->setGeometry(0, height() - barHeight, width(), barHeight);
    for (QWidget* page : m_pages)
        page->setGeometry(0, 0, width(), height() - barHeight);
}

// ---------------------------------------------------------------- MainWindow

namespace {

template <typename T>
T* make(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* w = new T(parent);
    w->setObjectName(QString::fromUtf8(name));
    w->setGeometry(left, top, width, height);
    return w;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int l, int t, int w, int h)
{
    auto* lb = make<QLabel>(parent, name, l, t, w, h);
    lb->setText(QString::fromUtf8(caption));
    return lb;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int l, int t, int w, int h)
{
    auto* b = make<QPushButton>(parent, name, l, t, w, h);
    b->setText(QString::fromUtf8(caption));
    b->setAutoDefault(false);
    return b;
}

// A push button showing a 16 x 16 picture from the style beside its caption.
QPushButton* pictureButton(QWidget* parent, const char* name, const char* caption, QStyle::StandardPixmap icon,
                           int l, int t, int w, int h)
{
    auto* b = button(parent, name, caption, l, t, w, h);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(16, 16));
    return b;
}

QComboBox* comboBox(QWidget* parent, const char* name, bool editable, std::initializer_list<QString> items, int l,
                    int t, int w, int h)
{
    auto* c = make<QComboBox>(parent, name, l, t, w, h);
    c->setEditable(editable);
    c->addItems(QStringList(items));
    if (editable)
        c->setInsertPolicy(QComboBox::NoInsert);
    c->setCurrentIndex(0);
    return c;
}

} // namespace

namespace {
const QSize kOuterSize(758, 450);
}

MainWindow::MainWindow(HarvestState& state, StreamCipher& captionCipher, QWidget* parent)
    : QWidget(parent), m_state(state), m_captionCipher(captionCipher)
{
    resize(kOuterSize);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    setWindowIcon(QIcon(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(48, 48)));
    // The controls are placed for a 12-pixel CJK font.
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(12);
    setFont(font);

    createControls();
    connectHandlers();
    onWindowCreated();
    layoutWindow();
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    m_tabs = make<TabControl>(this, "高级选择夹1", 0, 0, 794, 380);
    m_harvestPage = m_tabs->addPage(QStringLiteral("网址采集"));
    m_settingsPage = m_tabs->addPage(QStringLiteral("参数修改"));
    m_tabs->setCurrentIndex(0);

    QWidget* p1 = m_harvestPage;
    m_browser = make<EmbeddedBrowser>(p1, "浏览器", 286, 36, 391, 316);
    m_group = make<QGroupBox>(p1, "分组框2", 8, 8, 270, 345);
    m_group->setTitle(QStringLiteral("搜索采集"));
    m_address = make<QLineEdit>(p1, "编辑框_浏览器地址", 286, 13, 148, 20);
    m_go = pictureButton(p1, "超级按钮_浏览器跳转", "转到", QStyle::SP_CommandLink, 437, 13, 46, 20);
    m_refresh = pictureButton(p1, "超级按钮_浏览器刷新", "刷新", QStyle::SP_BrowserReload, 486, 13, 46, 20);
    m_stop = pictureButton(p1, "超级按钮_浏览器停止", "停止", QStyle::SP_BrowserStop, 535, 13, 46, 20);
    m_back = pictureButton(p1, "超级按钮_浏览器后退", "后退", QStyle::SP_ArrowBack, 584, 13, 46, 20);
    m_forward = pictureButton(p1, "超级按钮_浏览器前进", "前进", QStyle::SP_ArrowForward, 633, 13, 46, 20);
    m_browserButtons = {m_go, m_refresh, m_stop, m_back, m_forward};

    QWidget* g = m_group;
    label(g, "标签1", "关键字", 8, 18, 48, 13);
    m_keyword = make<QLineEdit>(g, "编辑框_关键字", 50, 15, 150, 20);
    m_keyword->setText(QStringLiteral("Orvel's blog"));
    m_search = pictureButton(g, "超级按钮_搜索", "搜索", QStyle::SP_FileDialogContentsView, 202, 14, 54, 38);
    m_engine = comboBox(g, "组合框_引擎", false,
                        {QStringLiteral("Baidu"), QStringLiteral("Bing"), QStringLiteral("Soso"),
                         QStringLiteral("Sougou"), QStringLiteral("google")},
                        9, 37, 95, 20);
    label(g, "标签2", "每页", 110, 42, 34, 13);
    m_count = comboBox(g, "组合框_显示条数", true,
                       {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("40"),
                        QStringLiteral("50"), QStringLiteral("100")},
                       136, 38, 48, 17);
    label(g, "标签3", "条", 189, 42, 13, 13);
    m_previous = button(g, "按钮_上一页", "<上一页", 11, 59, 55, 19);
    m_next = button(g, "按钮_下一页", "下一页>", 72, 59, 55, 19);
    label(g, "标签4", "转到", 138, 58, 36, 24);
    m_pageBox = make<QLineEdit>(g, "编辑框_转到页", 164, 61, 31, 17);
    m_pageBox->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-0-9]*")), m_pageBox));
    label(g, "标签5", "页", 199, 58, 14, 24);
    m_goToPage = button(g, "按钮_转到页", "Go>>", 217, 59, 39, 19);
    m_domainOnly = make<QCheckBox>(g, "选择框_域名处理", 6, 87, 118, 16);
    m_domainOnly->setText(QStringLiteral("域名处理(DoMain)"));
    m_domainOnly->setChecked(true);
    m_linkCount = label(g, "标签7", "-", 133, 87, 25, 14);
    m_collect = button(g, "按钮_采集", "采集", 162, 81, 36, 24);
    m_autoHarvest = button(g, "按钮_自动采集", "一键采集", 200, 81, 56, 24);
    m_list = make<QListView>(g, "列表框_采集网址", 4, 109, 259, 208);
    m_links = new LinkListModel(m_list);
    m_list->setModel(m_links);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true); // keeps a long list cheap to lay out
    m_deduplicate = make<QCheckBox>(g, "选择框_去重复", 19, 321, 56, 19);
    m_deduplicate->setText(QStringLiteral("去重复"));
    m_copy = button(g, "按钮1", "复制", 95, 321, 45, 19);
    m_export = button(g, "按钮2", "导出", 151, 321, 45, 19);
    m_clear = button(g, "按钮3", "清空", 207, 321, 45, 19);

    label(m_settingsPage, "标签6", "google：", 112, 110, 48, 24);
    m_googleBase = make<QComboBox>(m_settingsPage, "组合框_谷歌网址", 168, 112, 312, 22);
    for (std::string_view base : engines::kGoogleBases)
        m_googleBase->addItem(toQString(base));

    m_statusLine = label(this, "透明标签1", "", 7, 384, 666, 12);
    m_statusLine->setAttribute(Qt::WA_TranslucentBackground);
    m_progress = make<QProgressBar>(this, "进度条1", 0, 399, 674, 20);
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
}

void MainWindow::connectHandlers()
{
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);

    connect(m_search, &QPushButton::clicked, this, [this] { runSearch(m_state, *this); });
    connect(m_goToPage, &QPushButton::clicked, this, [this] { goToPage(m_state, *this); });
    connect(m_next, &QPushButton::clicked, this, [this] { nextPage(m_state, *this); });
    connect(m_previous, &QPushButton::clicked, this, [this] { previousPage(m_state, *this); });
    m_pageBox->installEventFilter(this);

    const auto collect = [this] { collectPage(m_state, *this); };
    connect(m_collect, &QPushButton::clicked, this, collect);
    connect(m_autoHarvest, &QPushButton::clicked, this,
            [this, collect] { toggleAutoHarvest(m_state, *this, collect); });
    // Queued, so that a Collect with its waits runs outside the browser's
    // own signal delivery.
    connect(m_browser, &EmbeddedBrowser::documentComplete, this,
            [this, collect] { onPageLoaded(m_state, *this, collect); }, Qt::QueuedConnection);
    connect(m_copy, &QPushButton::clicked, this, [this] { copyLink(*this); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportLinks(*this); });
    connect(m_clear, &QPushButton::clicked, this, [this] { clearLinks(m_state, *this); });
    connect(m_list, &QListView::doubleClicked, this, [this] { openLink(*this); });

    m_address->installEventFilter(this);
    connect(m_go, &QPushButton::clicked, this, &MainWindow::navigateToAddress);
    connect(m_refresh, &QPushButton::clicked, this, &MainWindow::refreshPage);
    connect(m_stop, &QPushButton::clicked, this, &MainWindow::stopPage);
    connect(m_back, &QPushButton::clicked, this, &MainWindow::goBack);
    connect(m_forward, &QPushButton::clicked, this, &MainWindow::goForward);

    connect(m_browser, &EmbeddedBrowser::statusTextChange, this, &MainWindow::onStatusTextChange);
    connect(m_browser, &EmbeddedBrowser::progressChange, this, &MainWindow::onProgressChange);
    connect(m_browser, &QWebEngineView::titleChanged, this, &MainWindow::onTitleChange);
    connect(m_browser, &EmbeddedBrowser::newWindow, this, &MainWindow::onNewWindow);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_address) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            clearAddress();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            onAddressKey(key == Qt::Key_Return || key == Qt::Key_Enter ? 13 : key);
        }
    }
    if (watched == m_pageBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            goToPage(m_state, *this);
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The designed size is the outer size, frame included; the frame is
    // known only once the window exists on the screen.
    if (!m_outerSizeSet) {
        m_outerSizeSet = true;
        const QSize frame = frameGeometry().size() - size();
        if (!frame.isNull())
            resize(kOuterSize - frame);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutWindow();
}

void MainWindow::layoutWindow()
{
    // Outer size: on a desktop with window decorations the frame counts too.
    const QSize outer = isWindow() && frameGeometry().size() != QSize(0, 0) ? frameGeometry().size() : size();
    const int W = outer.width();
    const int H = outer.height();

    m_tabs->setGeometry(0, 0, W - 6, H - 70);
    const int T = m_tabs->height();
    m_group->setGeometry(2, 8, 270, T - 34);
    m_progress->setGeometry(1, H - 52, W - 2, 20);
    m_statusLine->setGeometry(2, H - 68, W - 4, 12);
    const int G = m_group->height();
    m_list->resize(m_list->width(), G - 140);
    for (QWidget* w : std::initializer_list<QWidget*>{m_deduplicate, m_copy, m_export, m_clear})
        w->move(w->x(), G - 25);
    m_address->setGeometry(282, 13, W - 540, 20);
    int x = m_address->x() + m_address->width() + 4;
    for (QPushButton* b : m_browserButtons) {
        b->move(x, b->y());
        x = b->x() + 49;
    }
    m_browser->setGeometry(282, 36, W - 294, H - 134);
}

void MainWindow::onWindowCreated()
{
    m_progress->setValue(0);
    m_googleBase->setCurrentIndex(0);
    m_state.captionText = decipherCaption(m_captionCipher, bufferOf(kCaptionKey), bufferOf(kCaptionBytes));
    setWindowTitle(toQString(m_state.captionText));
    m_state.autoHarvest = 0;
    m_state.resultOffset = 0;
    m_count->setCurrentIndex(0);
    m_address->setText(toQString(bytesToText(bufferOf(kStartPageBytes))));
    navigateToAddress();
}

// ------------------------------------------------------------- browser panel

void MainWindow::navigateToAddress() { m_browser->navigate(fromQString(m_address->text())); }

void MainWindow::onAddressKey(int keyCode)
{
    if (keyCode == 13)
        navigateToAddress();
}

void MainWindow::clearAddress() { m_address->clear(); }
void MainWindow::refreshPage() { m_browser->reload(); }
void MainWindow::stopPage() { m_browser->stop(); }
void MainWindow::goBack() { m_browser->back(); }
void MainWindow::goForward() { m_browser->forward(); }

void MainWindow::onStatusTextChange(const QString& text) { m_statusLine->setText(text); }

void MainWindow::onProgressChange(int progress, int maximum)
{
    m_progress->setMaximum(maximum);
    m_progress->setMinimum(1);
    m_progress->setValue(progress);
}

void MainWindow::onTitleChange(const QString& title)
{
    m_address->setText(toQString(m_browser->currentAddress()));
    setWindowTitle(toQString(concatText(" - ", fromQString(title), "   ", m_state.captionText)));
}

void MainWindow::onNewWindow(const QString& address)
{
    // Open what the request itself asks for; only a request without an
    // address falls back to the last hovered link in the status line.
    const QString target = address.isEmpty() ? m_statusLine->text() : address;
    m_browser->navigate(fromQString(target));
}

// ------------------------------------------------------------ SearchWindow

void MainWindow::navigate(std::string_view address) { m_browser->navigate(address); }
Text MainWindow::pageHtml() { return m_browser->pageHtml(); }
Text MainWindow::keyword() { return fromQString(m_keyword->text()); }
void MainWindow::setKeyword(std::string_view text) { m_keyword->setText(toQString(text)); }
EngineIndex MainWindow::engineSelection() { return m_engine->currentIndex(); }
Text MainWindow::countText() { return fromQString(m_count->currentText()); }
void MainWindow::selectFirstCount() { m_count->setCurrentIndex(0); }
Text MainWindow::googleBase() { return fromQString(m_googleBase->currentText()); }
Text MainWindow::pageBoxText() { return fromQString(m_pageBox->text()); }
void MainWindow::setPageBoxText(std::string_view text) { m_pageBox->setText(toQString(text)); }
void MainWindow::setCollectEnabled(bool enabled) { m_collect->setEnabled(enabled); }
Text MainWindow::autoHarvestCaption() { return fromQString(m_autoHarvest->text()); }
void MainWindow::setAutoHarvestCaption(std::string_view caption) { m_autoHarvest->setText(toQString(caption)); }
void MainWindow::processEvents() { QCoreApplication::processEvents(); }

void MainWindow::wait(std::int32_t ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// ----------------------------------------------------------- HarvestWindow

bool MainWindow::domainOnly() { return m_domainOnly->isChecked(); }
bool MainWindow::deduplicate() { return m_deduplicate->isChecked(); }
void MainWindow::appendLink(const Text& link) { m_links->append(link); }
std::int32_t MainWindow::linkCount() { return m_links->count(); }

Text MainWindow::linkText(std::int32_t index)
{
    return index >= 0 && index < m_links->count() ? m_links->text(index) : Text();
}

std::int32_t MainWindow::selectedLink()
{
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void MainWindow::clearLinkList() { m_links->clear(); }
void MainWindow::setLinkCountLabel(std::string_view text) { m_linkCount->setText(toQString(text)); }
void MainWindow::showMessage(std::string_view text, bool errorIcon) { gleaner::showMessage(text, errorIcon); }
void MainWindow::setClipboardText(std::string_view text) { QGuiApplication::clipboard()->setText(toQString(text)); }

std::optional<std::string> MainWindow::askSavePath(std::string_view fileName, const std::string& folder)
{
    const QString name = toQString(fileName);
    const QString dir = QFile::decodeName(QByteArray::fromStdString(folder));
    if (m_saveDialogHandler)
        return m_saveDialogHandler(name, dir);
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setDirectory(dir);
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

std::string MainWindow::programFolder() { return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(); }

} // namespace gleaner
