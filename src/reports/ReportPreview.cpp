#include "reports/ReportPreview.h"

#include <QAction>
#include <QBuffer>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWidget>

namespace {

constexpr qreal kZoomStep = 1.25;

class PreviewWindow : public QWidget {
public:
    PreviewWindow(const QByteArray& pdf, const QString& title, QWidget* parent)
        : QWidget(parent, Qt::Window), bytes_(pdf) {
        setObjectName(QStringLiteral("AnteprimaStampa"));
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Anteprima di stampa - ") + title);
        resize(900, 1000);

        buffer_.setBuffer(&bytes_);
        buffer_.open(QIODevice::ReadOnly);
        document_ = new QPdfDocument(this);
        document_->load(&buffer_);

        view_ = new QPdfView(this);
        view_->setObjectName(QStringLiteral("Pagine"));
        view_->setDocument(document_);
        view_->setPageMode(QPdfView::PageMode::MultiPage);
        view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(BuildToolBar());
        layout->addWidget(view_);
        ShowPage(0);
        connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
                [this](int page) { UpdatePageLabel(page); });
    }

private:
    QToolBar* BuildToolBar() {
        auto* bar = new QToolBar(this);
        bar->setObjectName(QStringLiteral("ComandiAnteprima"));
        AddAction(bar, QStringLiteral("«"), QStringLiteral("Prima pagina"), [this] { ShowPage(0); });
        AddAction(bar, QStringLiteral("‹"), QStringLiteral("Pagina precedente"), [this] { ShowPage(CurrentPage() - 1); });
        pageLabel_ = new QLabel(bar);
        pageLabel_->setObjectName(QStringLiteral("NumeroPagina"));
        pageLabel_->setContentsMargins(8, 0, 8, 0);
        bar->addWidget(pageLabel_);
        AddAction(bar, QStringLiteral("›"), QStringLiteral("Pagina successiva"), [this] { ShowPage(CurrentPage() + 1); });
        AddAction(bar, QStringLiteral("»"), QStringLiteral("Ultima pagina"),
                  [this] { ShowPage(document_->pageCount() - 1); });
        bar->addSeparator();
        AddAction(bar, QStringLiteral("−"), QStringLiteral("Riduci"), [this] { Zoom(1 / kZoomStep); });
        AddAction(bar, QStringLiteral("+"), QStringLiteral("Ingrandisci"), [this] { Zoom(kZoomStep); });
        AddAction(bar, QStringLiteral("Larghezza pagina"), QStringLiteral("Larghezza pagina"),
                  [this] { view_->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
        AddAction(bar, QStringLiteral("Pagina intera"), QStringLiteral("Pagina intera"),
                  [this] { view_->setZoomMode(QPdfView::ZoomMode::FitInView); });
        return bar;
    }

    template <typename Slot>
    void AddAction(QToolBar* bar, const QString& text, const QString& name, Slot slot) {
        QAction* action = bar->addAction(text);
        action->setObjectName(name);
        action->setToolTip(name);
        connect(action, &QAction::triggered, this, slot);
    }

    int CurrentPage() const { return view_->pageNavigator()->currentPage(); }

    void ShowPage(int page) {
        const int last = document_->pageCount() - 1;
        page = std::clamp(page, 0, std::max(last, 0));
        view_->pageNavigator()->jump(page, QPointF(), view_->pageNavigator()->currentZoom());
        UpdatePageLabel(page);
    }

    void UpdatePageLabel(int page) {
        pageLabel_->setText(QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(document_->pageCount()));
    }

    void Zoom(qreal factor) {
        const qreal current = view_->zoomFactor();
        view_->setZoomMode(QPdfView::ZoomMode::Custom);
        view_->setZoomFactor(std::clamp(current * factor, 0.2, 8.0));
    }

    QByteArray bytes_;
    QBuffer buffer_;
    QPdfDocument* document_ = nullptr;
    QPdfView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
};

}  // namespace

QWidget* ShowPdfPreview(const QByteArray& pdf, const QString& title, QWidget* parent) {
    auto* window = new PreviewWindow(pdf, title, parent);
    window->show();
    return window;
}
