#include "converter/ConversionJob.h"

#include <QThread>

#include "convert/ConversionRun.h"

namespace convertor {

ConversionJob::ConversionJob(std::filesystem::path home, QObject* parent)
    : QObject(parent), m_session(std::move(home)) {}

void ConversionJob::setClock(std::unique_ptr<Clock> clock) {
    m_clock = std::move(clock);
    m_session.setClock(*m_clock);
}

ConversionJob::~ConversionJob() {
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

bool ConversionJob::start(ConversionRequest request) {
    if (m_thread) {
        return false;
    }
    m_error.clear();
    m_thread = QThread::create([this, request = std::move(request)] { run(request); });
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished(QString::fromStdString(m_error));
    });
    m_thread->start();
    return true;
}

void ConversionJob::run(const ConversionRequest& request) {
    try {
        runConversion(request, m_session, m_operator);
    } catch (const std::exception& error) {
        m_error = error.what();
    } catch (...) {
        m_error = "The conversion ended with an unknown error";
    }
    if (!m_error.empty()) {
        // An error can end the run between two progress steps; the bar never stays part-way.
        m_operator.setProgress(0);
    }
}

}  // namespace convertor
