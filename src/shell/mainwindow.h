#pragma once

#include "search/harvest_state.h"
#include "harvest/window.h"
#include "support/streamcipher.h"

#include <QWidget>

#include <functional>

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QTabBar;

namespace gleaner {

class EmbeddedBrowser;
class LinkListModel;

// A tab control whose pages share its origin, so that a position on a page is
// a position in the control. The tabs sit along the bottom edge.
class TabControl final : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);
    QWidget* addPage(const QString& caption);
    QTabBar* tabBar() const { return m_bar; }
    void setCurrentIndex(int index);
    int currentIndex() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showPage(int index);
    QTabBar* m_bar;
    std::vector<QWidget*> m_pages;
};

// The program's one window. Every control's objectName is its name in the
// window definition, so code and tests find controls by name. The commands
// reach the controls and the browser through the HarvestWindow interface.
class MainWindow final : public QWidget, public HarvestWindow {
    Q_OBJECT
public:
    MainWindow(HarvestState& state, StreamCipher& captionCipher, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Refits the controls to the window's outer size.
    void layoutWindow();

    EmbeddedBrowser* browser() const { return m_browser; }
    LinkListModel* links() const { return m_links; }
    HarvestState& state() const { return m_state; }

    // Browser panel.
    void navigateToAddress();
    void onAddressKey(int keyCode);
    void clearAddress();
    void refreshPage();
    void stopPage();
    void goBack();
    void goForward();
    void onStatusTextChange(const QString& text);
    void onProgressChange(int progress, int maximum);
    void onTitleChange(const QString& title);
    void onNewWindow(const QString& address);

    // SearchWindow
    void navigate(std::string_view address) override;
    Text pageHtml() override;
    Text keyword() override;
    void setKeyword(std::string_view text) override;
    EngineIndex engineSelection() override;
    Text countText() override;
    void selectFirstCount() override;
    Text googleBase() override;
    Text pageBoxText() override;
    void setPageBoxText(std::string_view text) override;
    void setCollectEnabled(bool enabled) override;
    Text autoHarvestCaption() override;
    void setAutoHarvestCaption(std::string_view caption) override;
    void processEvents() override;
    void wait(std::int32_t ms) override;

    // HarvestWindow
    bool domainOnly() override;
    bool deduplicate() override;
    void appendLink(const Text& link) override;
    std::int32_t linkCount() override;
    Text linkText(std::int32_t index) override;
    std::int32_t selectedLink() override;
    void clearLinkList() override;
    void setLinkCountLabel(std::string_view text) override;
    void showMessage(std::string_view text, bool errorIcon) override;
    void setClipboardText(std::string_view text) override;
    std::optional<std::string> askSavePath(std::string_view fileName, const std::string& folder) override;
    std::string programFolder() override;

    // Tests answer the save dialog through this seam.
    using SaveDialogHandler = std::function<std::optional<std::string>(const QString& fileName, const QString& folder)>;
    void setSaveDialogHandler(SaveDialogHandler handler) { m_saveDialogHandler = std::move(handler); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void onWindowCreated();

    HarvestState& m_state;
    StreamCipher& m_captionCipher;
    bool m_outerSizeSet = false;
    SaveDialogHandler m_saveDialogHandler;

    TabControl* m_tabs = nullptr;
    QWidget* m_harvestPage = nullptr;
    QWidget* m_settingsPage = nullptr;
    EmbeddedBrowser* m_browser = nullptr;
    QGroupBox* m_group = nullptr;
    QLineEdit* m_address = nullptr;
    QPushButton* m_go = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
    std::vector<QPushButton*> m_browserButtons;

    QLineEdit* m_keyword = nullptr;
    QPushButton* m_search = nullptr;
    QComboBox* m_engine = nullptr;
    QComboBox* m_count = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QLineEdit* m_pageBox = nullptr;
    QPushButton* m_goToPage = nullptr;
    QCheckBox* m_domainOnly = nullptr;
    QLabel* m_linkCount = nullptr;
    QPushButton* m_collect = nullptr;
    QPushButton* m_autoHarvest = nullptr;
    QListView* m_list = nullptr;
    LinkListModel* m_links = nullptr;
    QCheckBox* m_deduplicate = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_clear = nullptr;

    QComboBox* m_googleBase = nullptr;
    QLabel* m_statusLine = nullptr;
    QProgressBar* m_progress = nullptr;
};

} // namespace gleaner
