#pragma once

#include <QMainWindow>

#include <filesystem>
#include <memory>

#include "report/PageSource.h"
#include "reports/ReportEngine.h"
#include "reports/ReportValue.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScreen;
class QToolBar;

namespace convertor {

class PageJob;
class PageView;

// The non-modal report preview: A4 pages with zoom, paging and find; print, save as PDF or HTML,
// open a saved HTML report. A report is shown from its rows' copy a page at a time; printing,
// files and finds run on threads of their own. Each report opens its own window, which deletes
// itself when closed.
class ReportPreview : public QMainWindow {
    Q_OBJECT

public:
    explicit ReportPreview(QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Loads reportDir/<template> into the engine (a missing file keeps the engine's last template),
    // and shows the report in a new preview on screen (the primary one when null) without waiting.
    // A report whose rows are not copied yet is copied first. With the empty report nothing is
    // shown and the result is null. A template that is missing or cannot be read is told in
    // templateWarning, else that is left empty.
    static ReportPreview* showReport(const ReportValue& report, ReportEngine& engine,
                                     const std::filesystem::path& reportDir,
                                     QString* templateWarning = nullptr, QScreen* screen = nullptr);

    // The size the preview opens at on a screen with that available area: at most nine tenths of
    // it, a page's shape where the screen leaves room, but never narrower than minimumWidth.
    static QSize openingSize(const QRect& available, int minimumWidth);
    // Sized by openingSize to the screen's available area and centred on it.
    void fitTo(QScreen* screen);
    QToolBar* toolBar() const { return m_toolBar; }

    // The report through the engine's template; its rows are copied when they are not yet.
    void setReport(const ReportValue& report, const ReportEngine& engine, const QDate& printedOn);
    void setPrintedDate(const QDate& date);
    PageSource* pages() const { return m_pages.get(); }
    // The whole report as HTML, as "Save HTML" writes it.
    QString html() const;

    // Written in this thread, for callers that wait anyway.
    bool savePdf(const QString& file) const;
    bool saveHtml(const QString& file) const;
    bool openHtml(const QString& file);
    // On a thread of its own, its progress and Cancel in the status bar; null while another runs.
    PageJob* startPdf(const QString& file);
    // Starts looking for the next match after the current one; found() tells the end, the match
    // highlighted and its page turned to.
    void findText(const QString& text);

    int pageCount() const;
    int currentPage() const;  // 1-based

public slots:
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void print();
    void saveAsPdf();
    void saveAsHtml();
    void openReport();

signals:
    void found(bool found);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildStatusBar();
    void showPages(std::unique_ptr<PageSource> pages);
    void turnTo(int page);
    void updatePageLabel();
    PageJob* startJob(const QString& doing,
                      std::function<QString(PageSource&, const std::atomic_bool&,
                                            const std::function<void(long long, long long)>&)>
                          work);
    void jobEnded(bool done, const QString& error);

    std::shared_ptr<PageSource> m_pages;
    ReportEngine m_engine;
    std::unique_ptr<ReportValue> m_report;  // none for an opened HTML file
    PageView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QLineEdit* m_pageEdit = nullptr;
    QLabel* m_pageCount = nullptr;
    QList<QAction*> m_fileActions;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    PageJob* m_job = nullptr;
    PageJob* m_findJob = nullptr;
    PageSource::Match m_match;
};

}  // namespace convertor
