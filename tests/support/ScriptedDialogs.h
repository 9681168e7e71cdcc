#pragma once
// Dialogs for tests: every message and file request is recorded; answers come from queues that the
// test fills, and the request's default answer (or a cancelled file dialog) when a queue is empty.

#include "platform/Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

class ScriptedDialogs final : public Dialogs {
public:
    MessageAnswer message(const MessageRequest& request) override;
    QString saveFileName(const FileRequest& request) override;
    QString openFileName(const FileRequest& request) override;

    // Queue the answer of the next message box, save dialog or open dialog.
    void answerNextMessage(MessageAnswer answer) { messageAnswers.push_back(answer); }
    void answerNextSave(const QString& path) { saveAnswers.push_back(path); }
    void answerNextOpen(const QString& path) { openAnswers.push_back(path); }

    // The texts of the messages shown so far, in order.
    QStringList texts() const;
    // True when a message shown so far contains `part`.
    bool anyTextContains(const QString& part) const;

    std::vector<MessageRequest> messages;       // every message box, in order
    std::vector<FileRequest> saveRequests;      // every save dialog, in order
    std::vector<FileRequest> openRequests;      // every open dialog, in order
    std::deque<MessageAnswer> messageAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> openAnswers;
    // Called while a message is "on screen", e.g. to look at files or windows at that moment.
    std::function<void(const MessageRequest&)> onMessage;
};
