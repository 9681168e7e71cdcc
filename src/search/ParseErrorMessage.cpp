#include "search/ParseErrorMessage.h"

void ShowParseError(AppContext& ctx, const QString& reason)
{
    MessageRequest request;
    request.text = QStringLiteral("Parse error: ") + reason;
    request.buttons = MessageButtons::Ok;
    ctx.dialogs->message(request);
}
