#include "report/ReportPreview.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "reports/ReportEngine.h"
#include "reports/ReportValue.h"

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

ReportPreview::ReportPreview(QWidget* parent)
    : QMainWindow(parent), m_previewPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Report Preview"));
    ReportDocument::setUpPage(*m_previewPrinter);
    m_view = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_view->fitToWidth();
    setCentralWidget(m_view);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPages);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updatePageLabel);
    buildToolBar();
    fitTo(screen());
}

ReportPreview::~ReportPreview() = default;

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
    preview->setPrintedDate(today);
    preview->setReportHtml(QString::fromStdString(engine.render(report, toDate(today))));
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
    bar->addAction(tr("Fit Width"), m_view, &QPrintPreviewWidget::fitToWidth);
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
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setMinimumWidth(90);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_pageLabel);
    turner(tr("Next"), QKeySequence(Qt::Key_PageDown), &ReportPreview::nextPage, QStyle::SP_MediaSeekForward);
    turner(tr("Last"), QKeySequence(Qt::CTRL | Qt::Key_End), &ReportPreview::lastPage,
           QStyle::SP_MediaSkipForward);
    bar->addSeparator();
    m_findEdit = new QLineEdit(bar);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findEdit->setPlaceholderText(tr("Find"));
    m_findEdit->setAccessibleName(tr("Find in the report"));
    m_findEdit->setMaximumWidth(140);
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
    add(tr("Print..."), QKeySequence::Print, &ReportPreview::print);
    add(tr("Save PDF..."), QKeySequence::Save, &ReportPreview::saveAsPdf);
    add(tr("Save HTML..."), QKeySequence(), &ReportPreview::saveAsHtml);
    add(tr("Open..."), QKeySequence::Open, &ReportPreview::openReport);
    add(tr("Close"), QKeySequence::Close, &QWidget::close);
}

void ReportPreview::setReportHtml(const QString& html) {
    m_document.setHtml(html);
    m_matchStart = m_matchEnd = -1;
    const QString title = m_document.title();
    setWindowTitle(title.isEmpty() ? tr("Report Preview") : tr("Report Preview - %1").arg(title));
    refresh();
}

void ReportPreview::setPrintedDate(const QDate& date) {
    m_document.setPrintedDate(date);
    refresh();
}

void ReportPreview::paintPages(QPrinter* printer) {
    m_document.paint(*printer, m_matchStart, m_matchEnd);
}

void ReportPreview::refresh() {
    m_view->updatePreview();
    updatePageLabel();
}

void ReportPreview::updatePageLabel() {
    if (m_pageLabel) {
        m_pageLabel->setText(tr("Page %1 of %2").arg(currentPage()).arg(pageCount()));
    }
}

int ReportPreview::pageCount() const {
    return m_view->pageCount();
}
int ReportPreview::currentPage() const {
    return m_view->currentPage();
}

void ReportPreview::turnTo(int page) {
    m_view->setCurrentPage(std::clamp(page, 1, std::max(1, pageCount())));
    updatePageLabel();
}

void ReportPreview::zoomIn() {
    m_view->zoomIn(1.25);
}
void ReportPreview::zoomOut() {
    m_view->zoomOut(1.25);
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

bool ReportPreview::findText(const QString& text) {
    const auto [start, end] = m_document.find(text, m_matchEnd < 0 ? 0 : m_matchEnd);
    m_matchStart = start;
    m_matchEnd = end;
    refresh();
    if (start < 0) {
        statusBar()->showMessage(tr("\"%1\" not found").arg(text), 4000);
        return false;
    }
    turnTo(m_document.pageOf(start) + 1);
    return true;
}

bool ReportPreview::savePdf(const QString& file) const {
    return m_document.savePdf(file);
}

bool ReportPreview::saveHtml(const QString& file) const {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    out.write(m_document.html().toUtf8());
    return out.commit();
}

bool ReportPreview::openHtml(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    setReportHtml(QString::fromUtf8(in.readAll()));
    return true;
}

void ReportPreview::print() {
    QPrinter printer(QPrinter::HighResolution);
    ReportDocument::setUpPage(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() == QDialog::Accepted) {
        m_document.paint(printer);
    }
}

void ReportPreview::saveAsPdf() {
    const QString file = QFileDialog::getSaveFileName(this, tr("Save as PDF"), QString(),
                                                      tr("PDF File (*.pdf);;All File (*)"));
    if (!file.isEmpty() && !savePdf(file)) {
        QMessageBox::warning(this, windowTitle(), tr("Cannot write %1").arg(file));
    }
}

void ReportPreview::saveAsHtml() {
    const QString file = QFileDialog::getSaveFileName(this, tr("Save as HTML"), QString(),
                                                      tr("HTML File (*.html *.htm);;All File (*)"));
    if (!file.isEmpty() && !saveHtml(file)) {
        QMessageBox::warning(this, windowTitle(), tr("Cannot write %1").arg(file));
    }
}

void ReportPreview::openReport() {
    const QString file = QFileDialog::getOpenFileName(this, tr("Open Report"), QString(),
                                                      tr("HTML File (*.html *.htm);;All File (*)"));
    if (!file.isEmpty() && !openHtml(file)) {
        QMessageBox::warning(this, windowTitle(), tr("Cannot open %1").arg(file));
    }
}

}  // namespace convertor
