#include "app/progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace cr::app {

ProgressWindow::ProgressWindow(QWidget* parent, const QString& text)
{
    m_window = new QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->setWindowTitle(QStringLiteral("请稍候"));
    m_window->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(m_window);
    m_label = new QLabel(text);
    m_label->setMinimumWidth(320);
    m_bar = new QProgressBar;
    m_bar->setRange(0, 0);   // busy until the work reports its size
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    m_window->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    repaintNow();
}

ProgressWindow::~ProgressWindow()
{
    QApplication::restoreOverrideCursor();
    if (m_window) m_window->close();
}

void ProgressWindow::setText(const QString& text)
{
    if (!m_window) return;
    m_label->setText(text);
    repaintNow();
}

void ProgressWindow::setValue(int done, int total)
{
    if (!m_window) return;
    m_bar->setRange(0, qMax(total, 0));
    m_bar->setValue(qBound(0, done, qMax(total, 0)));
    repaintNow();
}

// The work runs on this thread: let the window paint, but take no input.
void ProgressWindow::repaintNow()
{
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace cr::app
