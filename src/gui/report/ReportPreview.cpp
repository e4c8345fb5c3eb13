#include "report/ReportPreview.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "report/HtmlPages.h"
#include "report/PageJob.h"
#include "report/PageView.h"

namespace convertor {

namespace {

Date toDate(const QDate& date) {
    return Date{date.year(), date.month(), date.day()};
}

QString templateWarning(const std::filesystem::path& file, const ReportEngine& engine) {
    std::error_code ec;
    const QString name = QFile::decodeName(QByteArray::fromStdString(file.string()));
    const QString problem = std::filesystem::exists(file, ec)
                                ? QObject::tr("The report template %1 cannot be read").arg(name)
                                : QObject::tr("The report template %1 is missing").arg(name);
    if (engine.isEmptyReport()) {
        return QObject::tr("%1; the report cannot be shown.").arg(problem);
    }
    return QObject::tr("%1; the report is shown with the template of an earlier report, %2.")
        .arg(problem, QString::fromStdString(engine.templateName()));
}

}  // namespace

ReportPreview::ReportPreview(QWidget* parent) : QMainWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Report Preview"));
    m_view = new PageView(this);
    m_view->setAccessibleName(tr("Report pages"));
    setCentralWidget(m_view);
    connect(m_view, &PageView::currentPageChanged, this, &ReportPreview::updatePageLabel);
    buildToolBar();
    buildStatusBar();
    fitTo(screen());
}

ReportPreview::~ReportPreview() {
    // The jobs' threads read this window's pages: they end before the pages go.
    delete m_job;
    delete m_findJob;
}

ReportPreview* ReportPreview::showReport(const ReportValue& report, ReportEngine& engine,
                                         const std::filesystem::path& reportDir, QString* warning,
                                         QScreen* screen) {
    const std::filesystem::path file = reportDir / report.templateName;
    const bool loaded = engine.load(file);
    if (warning) {
        *warning = loaded ? QString() : templateWarning(file, engine);
    }
    if (engine.isEmptyReport()) {
        return nullptr;
    }
    const QDate today = report.printedOn
                            ? QDate(report.printedOn->year, report.printedOn->month, report.printedOn->day)
                            : QDate::currentDate();
    auto* preview = new ReportPreview;
    if (screen) {
        preview->fitTo(screen);
    }
    try {
        preview->setReport(report, engine, today);
    } catch (...) {
        delete preview;
        throw;
    }
    preview->show();
    return preview;
}

QSize ReportPreview::openingSize(const QRect& available, int minimumWidth) {
    const int height = available.height() * 9 / 10;
    const int pageWidth = height * 210 / 297;  // A4
    return {std::min(available.width() * 9 / 10, std::max(pageWidth, minimumWidth)), height};
}

void ReportPreview::fitTo(QScreen* screen) {
    if (!screen) {
        return;
    }
    setScreen(screen);
    const QRect available = screen->availableGeometry();
    QRect frame(QPoint(), openingSize(available, m_toolBar->sizeHint().width()));
    frame.moveCenter(available.center());
    setGeometry(frame);
}

void ReportPreview::buildToolBar() {
    m_toolBar = addToolBar(tr("Preview"));
    QToolBar* bar = m_toolBar;
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    auto add = [&](const QString& text, const QKeySequence& key, auto slot) {
        QAction* action = bar->addAction(text, this, slot);
        action->setShortcut(key);
        return action;
    };
    add(tr("Zoom In"), QKeySequence::ZoomIn, &ReportPreview::zoomIn);
    add(tr("Zoom Out"), QKeySequence::ZoomOut, &ReportPreview::zoomOut);
    add(tr("Fit Width"), QKeySequence(), &ReportPreview::fitWidth);
    bar->addSeparator();
    // The page turners show arrows, so that the whole bar fits a screen 1024 wide; their words
    // stay their tool tips and what a screen reader says.
    auto turner = [&](const QString& text, const QKeySequence& key, auto slot, QStyle::StandardPixmap icon) {
        add(text, key, slot)->setIcon(style()->standardIcon(icon));
    };
    turner(tr("First"), QKeySequence(Qt::CTRL | Qt::Key_Home), &ReportPreview::firstPage,
           QStyle::SP_MediaSkipBackward);
    turner(tr("Previous"), QKeySequence(Qt::Key_PageUp), &ReportPreview::previousPage,
           QStyle::SP_MediaSeekBackward);
    m_pageEdit = new QLineEdit(bar);
    m_pageEdit->setObjectName(QStringLiteral("pageEdit"));
    m_pageEdit->setAccessibleName(tr("Page number"));
    m_pageEdit->setAlignment(Qt::AlignRight);
    m_pageEdit->setValidator(new QIntValidator(1, 9999999, m_pageEdit));
    // Room for six digits: the page count of a report of a million lines.
    m_pageEdit->setFixedWidth(m_pageEdit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 10);
    connect(m_pageEdit, &QLineEdit::returnPressed, this, [this] { turnTo(m_pageEdit->text().toInt()); });
    bar->addWidget(m_pageEdit);
    m_pageCount = new QLabel(bar);
    m_pageCount->setMinimumWidth(m_pageCount->fontMetrics().horizontalAdvance(tr("of %1").arg(999999)) + 8);
    m_pageCount->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(m_pageCount);
    turner(tr("Next"), QKeySequence(Qt::Key_PageDown), &ReportPreview::nextPage, QStyle::SP_MediaSeekForward);
    turner(tr("Last"), QKeySequence(Qt::CTRL | Qt::Key_End), &ReportPreview::lastPage,
           QStyle::SP_MediaSkipForward);
    bar->addSeparator();
    m_findEdit = new QLineEdit(bar);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findEdit->setPlaceholderText(tr("Find"));
    m_findEdit->setAccessibleName(tr("Find in the report"));
    m_findEdit->setMaximumWidth(120);
    bar->addWidget(m_findEdit);
    QAction* findNext =
        add(tr("Find Next"), QKeySequence::FindNext, [this] { findText(m_findEdit->text()); });
    connect(m_findEdit, &QLineEdit::returnPressed, findNext, &QAction::trigger);
    QAction* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        m_findEdit->setFocus();
        m_findEdit->selectAll();
    });
    addAction(find);
    bar->addSeparator();
    m_fileActions = {add(tr("Print..."), QKeySequence::Print, &ReportPreview::print),
                     add(tr("Save PDF..."), QKeySequence::Save, &ReportPreview::saveAsPdf),
                     add(tr("Save HTML..."), QKeySequence(), &ReportPreview::saveAsHtml),
                     add(tr("Open..."), QKeySequence::Open, &ReportPreview::openReport)};
    add(tr("Close"), QKeySequence::Close, &QWidget::close);
}

void ReportPreview::buildStatusBar() {
    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(tr("Progress"));
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_job) {
            m_job->cancel();
        }
    });
    statusBar()->addPermanentWidget(m_progress);
    statusBar()->addPermanentWidget(m_cancel);
}

void ReportPreview::setReport(const ReportValue& report, const ReportEngine& engine, const QDate& printedOn) {
    ReportValue copied = PageSource::withCopy(report);
    std::unique_ptr<PageSource> pages = PageSource::ofReport(copied, engine, printedOn);
    m_engine = engine;
    m_report = std::make_unique<ReportValue>(std::move(copied));
    if (!m_report->printedOn) {
        m_report->printedOn = toDate(printedOn);
    }
    showPages(std::move(pages));
}

void ReportPreview::showPages(std::unique_ptr<PageSource> pages) {
    delete m_findJob;
    m_findJob = nullptr;
    m_match = {};
    m_view->setSource(nullptr);
    m_pages = std::shared_ptr<PageSource>(std::move(pages));
    m_view->setSource(m_pages.get());
    const QString title = m_pages->title();
    setWindowTitle(title.isEmpty() ? tr("Report Preview") : tr("Report Preview - %1").arg(title));
    updatePageLabel();
}

void ReportPreview::setPrintedDate(const QDate& date) {
    if (m_pages) {
        m_pages->setPrintedDate(date);
        m_view->refresh();
    }
}

QString ReportPreview::html() const {
    if (!m_report) {
        auto* opened = dynamic_cast<const HtmlPages*>(m_pages.get());
        return opened ? opened->html() : QString();
    }
    return QString::fromStdString(m_engine.render(*m_report));
}

int ReportPreview::pageCount() const {
    return m_pages ? m_pages->pageCount() : 0;
}

int ReportPreview::currentPage() const {
    return m_view->currentPage();
}

void ReportPreview::updatePageLabel() {
    const int pages = pageCount();
    m_pageCount->setText(tr("of %1").arg(pages));
    m_pageCount->setAccessibleName(tr("Page %1 of %2").arg(currentPage()).arg(pages));
    if (!m_pageEdit->hasFocus()) {
        m_pageEdit->setText(QString::number(currentPage()));
    }
}

void ReportPreview::turnTo(int page) {
    m_view->setCurrentPage(std::clamp(page, 1, std::max(1, pageCount())));
    updatePageLabel();
}

void ReportPreview::zoomIn() {
    m_view->zoomBy(1.25);
}
void ReportPreview::zoomOut() {
    m_view->zoomBy(1 / 1.25);
}
void ReportPreview::fitWidth() {
    m_view->fitToWidth();
}
void ReportPreview::firstPage() {
    turnTo(1);
}
void ReportPreview::previousPage() {
    turnTo(currentPage() - 1);
}
void ReportPreview::nextPage() {
    turnTo(currentPage() + 1);
}
void ReportPreview::lastPage() {
    turnTo(pageCount());
}

void ReportPreview::findText(const QString& text) {
    if (!m_pages || text.isEmpty()) {
        emit found(false);
        return;
    }
    if (m_findJob) {
        m_findJob->disconnect(this);
        delete m_findJob;  // cancels it and waits for it
        m_findJob = nullptr;
    }
    auto result = std::make_shared<PageSource::Match>();
    std::shared_ptr<PageSource> pages = m_pages;
    const PageSource::Match after = m_match;
    m_findJob = new PageJob(
        [pages, text, after, result](const std::atomic_bool& cancel, const auto&) {
            *result = pages->clone()->find(text, after, cancel);
            return QString();
        },
        this);
    connect(m_findJob, &PageJob::finished, this, [this, result, text](bool done, const QString& error) {
        m_findJob->deleteLater();
        m_findJob = nullptr;
        if (!done) {
            statusBar()->showMessage(error, 4000);
            return;
        }
        m_match = *result;
        m_view->setHighlight(m_match ? m_match.page + 1 : 0, m_match.rect);
        updatePageLabel();
        if (!m_match) {
            statusBar()->showMessage(tr("\"%1\" not found").arg(text), 4000);
        } else {
            statusBar()->clearMessage();
        }
        emit found(bool(m_match));
    });
    statusBar()->showMessage(tr("Finding \"%1\"...").arg(text));
    m_findJob->start();
}

void ReportPreview::closeEvent(QCloseEvent* event) {
    if (m_job) {
        m_job->cancel();
    }
    QMainWindow::closeEvent(event);
}

}  // namespace convertor
