#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace lvx::cli {

// A JSON value that keeps its object keys in insertion order, so the command
// line prints keys in the order its users read them.
class Json final
{
public:
    Json() = default;                       // null
    Json(const QString& text);              // NOLINT: string values read naturally
    Json(const char16_t* text);             // NOLINT
    Json(qint64 number);                    // NOLINT
    Json(int number);                       // NOLINT
    Json(bool flag);                        // NOLINT
    template<typename T>
    Json(const std::optional<T>& value)     // NOLINT: nullopt is null
    {
        if (value)
            *this = Json(*value);
    }

    static Json object();
    static Json array();

    // For objects: appends a key (keys are not checked for duplicates).
    Json& add(const QString& key, const Json& value);
    // For arrays.
    Json& append(const Json& value);

    // Compact text on one line.
    QString toText() const;

private:
    enum class Type { Null, String, Number, Bool, Object, Array };
    Type m_type = Type::Null;
    QString m_text;
    qint64 m_number = 0;
    bool m_flag = false;
    QList<std::pair<QString, Json>> m_members;
    QList<Json> m_items;

    void write(QString& out) const;
};

// A JSON string literal for text, with the escapes JSON requires.
QString jsonQuote(const QString& text);

} // namespace lvx::cli
