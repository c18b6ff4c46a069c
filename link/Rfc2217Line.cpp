#include "Rfc2217Line.h"

LineOpen Rfc2217Line::settle() {
    send(client_.greeting());
    waitFor([this] { return client_.settings() != Rfc2217Client::Settings::Pending; },
            NegotiationLimitMs);
    return client_.settings() == Rfc2217Client::Settings::Refused ? LineOpen::Unconfigured
                                                                  : LineOpen::Opened;
}

void Rfc2217Line::take(const QByteArray& incoming) {
    input_ += client_.receive(incoming);
    const QByteArray replies = client_.takeReplies();
    if (!replies.isEmpty())
        send(replies);
}

void Rfc2217Line::discardServerInput() {
    const QByteArray purge = client_.purgeRequest();
    if (!purge.isEmpty())
        send(purge);
}
