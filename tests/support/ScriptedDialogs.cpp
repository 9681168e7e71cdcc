#include "support/ScriptedDialogs.h"

namespace {

template <typename T>
T TakeFront(std::deque<T>& queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

MessageAnswer ScriptedDialogs::message(const MessageRequest& request)
{
    messages.push_back(request);
    if (onMessage)
        onMessage(request);
    return TakeFront(messageAnswers, request.defaultButton);
}

QString ScriptedDialogs::saveFileName(const FileRequest& request)
{
    saveRequests.push_back(request);
    return TakeFront(saveAnswers, QString());
}

QString ScriptedDialogs::openFileName(const FileRequest& request)
{
    openRequests.push_back(request);
    return TakeFront(openAnswers, QString());
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const MessageRequest& request : messages)
        result << request.text;
    return result;
}

bool ScriptedDialogs::anyTextContains(const QString& part) const
{
    for (const MessageRequest& request : messages) {
        if (request.text.contains(part))
            return true;
    }
    return false;
}
