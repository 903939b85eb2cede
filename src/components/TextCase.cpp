#include "components/TextCase.h"

namespace quorvale {

QString lowerUnits(const QString& text)
{
    QString result(text.size(), Qt::Uninitialized);
    const QChar* in = text.constData();
    QChar* out = result.data();
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        out[i] = lowerUnit(in[i]);
    return result;
}

} // namespace quorvale
