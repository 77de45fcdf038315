#pragma once

// The Graph tab of the Stretch calculator: the live chart picGraph, the phase list lstGraph, the
// scroll bar hScrollGraph over the phase's years and the options "Show Border", "Grayscale" and
// "Rotate 20 Degrees". The graph timer and every change of these controls validate, compute and
// draw anew; a change by the user clears the saved flag.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>

class FatalHandler;
class GraphView;
class MainWindow;
class QCheckBox;
class QListWidget;
class QScrollBar;
struct ShellContext;

class GraphTab : public QWidget {
    Q_OBJECT

public:
    // Takes its place as the window's Graph tab and draws when the window's graph timer says so.
    GraphTab(MainWindow &window, ShellContext &context, FatalHandler &fatal);

    // Validates and computes the illustration and draws its graph; false when a check failed
    // (shown on its field) or the calculator has no graph.
    bool redraw();

    GraphView *view() const { return m_view; }

private:
    void scheduleRedraw();
    QImage background();

    MainWindow &m_window;
    ShellContext &m_context;
    GraphView *m_view = nullptr;
    QListWidget *m_list = nullptr;
    QScrollBar *m_scroll = nullptr;
    std::array<QCheckBox *, 3> m_options{};
    // Gathers a burst of scroll-bar moves into one drawing once the queued input has run.
    QTimer m_redraw;
    QImage m_background;
    bool m_backgroundRead = false;
};
