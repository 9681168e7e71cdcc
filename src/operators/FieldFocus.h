#pragma once
// Input fields take the focus colour while they have the focus and the field colour otherwise.
// Windows add their fields here and hang their own steps on focus gain and loss.

#include "startup/AppContext.h"

#include <QObject>
#include <functional>

class QLineEdit;

class FieldFocus : public QObject {
public:
    using Step = std::function<void(QLineEdit*)>;

    FieldFocus(AppContext& ctx, QObject* parent);

    // Colours the field on focus gain and loss; onGain runs after the colour is set, onLoss after
    // the field colour is restored. Losing the focus to another window (a message box) runs nothing.
    void watch(QLineEdit* field, Step onGain = {}, Step onLoss = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Watched {
        QLineEdit* field;
        Step onGain;
        Step onLoss;
    };
    AppContext& ctx_;
    std::vector<Watched> fields_;
    bool inStep_ = false;  // a step's own message box moves the focus; no step runs inside another
};
