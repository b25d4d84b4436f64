#include "json.h"

namespace lvx::cli {

Json::Json(const QString& text) : m_type(Type::String), m_text(text) {}
Json::Json(const char16_t* text) : m_type(Type::String), m_text(QString::fromUtf16(text)) {}
Json::Json(qint64 number) : m_type(Type::Number), m_number(number) {}
Json::Json(int number) : m_type(Type::Number), m_number(number) {}
Json::Json(bool flag) : m_type(Type::Bool), m_flag(flag) {}

Json Json::object()
{
    Json value;
    value.m_type = Type::Object;
    return value;
}

Json Json::array()
{
    Json value;
    value.m_type = Type::Array;
    return value;
}

Json& Json::add(const QString& key, const Json& value)
{
    m_members.append({key, value});
    return *this;
}

Json& Json::append(const Json& value)
{
    m_items.append(value);
    return *this;
}

QString Json::toText() const
{
    QString out;
    write(out);
    return out;
}

void Json::write(QString& out) const
{
    switch (m_type) {
    case Type::Null:
        out += u"null";
        break;
    case Type::String:
        out += jsonQuote(m_text);
        break;
    case Type::Number:
        out += QString::number(m_number);
        break;
    case Type::Bool:
        out += m_flag ? u"true" : u"false";
        break;
    case Type::Object:
        out += u'{';
        for (qsizetype i = 0; i < m_members.size(); ++i) {
            if (i > 0)
                out += u',';
            out += jsonQuote(m_members[i].first) + u':';
            m_members[i].second.write(out);
        }
        out += u'}';
        break;
    case Type::Array:
        out += u'[';
        for (qsizetype i = 0; i < m_items.size(); ++i) {
            if (i > 0)
                out += u',';
            m_items[i].write(out);
        }
        out += u']';
        break;
    }
}

QString jsonQuote(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += u"\\\"";
            break;
        case u'\\':
            out += u"\\\\";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\t':
            out += u"\\t";
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

} // namespace lvx::cli
