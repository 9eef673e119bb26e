#include "expressions/Expression.h"

#include "expressions/Names.h"

#include <muParser.h>

#include <algorithm>
#include <limits>

namespace expressions {
namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// The position of a "=" that is no part of ==, <=, >= or !=; -1 for none.
qsizetype loneEquals(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('='))
            continue;
        const QChar before = i > 0 ? text[i - 1] : QChar();
        const QChar after = i + 1 < text.size() ? text[i + 1] : QChar();
        if (after == QLatin1Char('=')) {
            ++i;
            continue;
        }
        if (before.isNull() || !QStringLiteral("<>!").contains(before))
            return i;
    }
    return -1;
}

} // namespace

Expression::Expression(const QStringList& variables)
    : parser_(std::make_unique<mu::Parser>()),
      values_(std::make_unique<double[]>(size_t(variables.size()))), variables_(variables) {
    for (qsizetype i = 0; i < variables.size(); ++i)
        parser_->DefineVar(variables[i].toStdString(), &values_[size_t(i)]);
}

Expression::~Expression() = default;

QString Expression::parse(const QString& given) {
    parsed_ = false;
    used_.clear();
    const QString text = withExactNames(given, variables_);
    if (const qsizetype at = loneEquals(text); at >= 0)
        return QStringLiteral("Unexpected token \"=\" found at position %1; compare with ==.")
            .arg(at);
    try {
        parser_->SetExpr(text.toStdString());
        parser_->Eval(); // muParser parses on the first evaluation
        for (const auto& [name, address] : parser_->GetUsedVar())
            used_ << int(address - values_.get());
        std::sort(used_.begin(), used_.end());
    } catch (const mu::Parser::exception_type& error) {
        const QString message = QString::fromStdString(error.GetMsg());
        return message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
    }
    parsed_ = true;
    return QString();
}

double Expression::evaluate() const {
    if (!parsed_)
        return kNoValue;
    try {
        return parser_->Eval();
    } catch (const mu::Parser::exception_type&) {
        return kNoValue;
    }
}

} // namespace expressions
