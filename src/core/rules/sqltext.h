#pragma once
// Texts put into SQL statements.

#include <QString>

namespace core {
// The text as an SQL string literal: its single quotes doubled, between single
// quotes. Every text that goes into a statement goes through here.
QString SqlQuote(const QString& text);
}  // namespace core
