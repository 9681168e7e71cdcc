#include "operators/FieldFocus.h"

#include "operators/InputChecks.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

FieldFocus::FieldFocus(AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}

void FieldFocus::watch(QLineEdit* field, Step onGain, Step onLoss)
{
    fields_.push_back(Watched{field, std::move(onGain), std::move(onLoss)});
    field->installEventFilter(this);
}

bool FieldFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return false;
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason || inStep_)
        return false;
    for (const Watched& entry : fields_) {
        if (entry.field != watched)
            continue;
        const bool gain = event->type() == QEvent::FocusIn;
        const QColor text = QApplication::palette().color(QPalette::Text);
        SetFieldColours(entry.field, gain ? ctx_.app.FocusColour : ctx_.app.FieldColour, text);
        const Step& step = gain ? entry.onGain : entry.onLoss;
        if (step) {
            inStep_ = true;
            step(entry.field);
            inStep_ = false;
        }
    }
    return false;
}
