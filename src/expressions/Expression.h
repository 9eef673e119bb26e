#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace mu {
class Parser;
}

namespace expressions {

// An arithmetic expression over named numbers, parsed once and evaluated for many sets of
// values: + - * / ^, comparisons, && ||, ?:, min, max, abs, rint and the other functions
// of muParser. A comparison or a logical operator gives 1 for true and 0 for false.
class Expression {
  public:
    explicit Expression(const QStringList& variables);
    ~Expression();
    Expression(const Expression&) = delete;
    Expression& operator=(const Expression&) = delete;

    // Empty when `text` can be evaluated; otherwise what is wrong and where ("Unexpected
    // token "Horn" found at position 0."). A lone "=" would assign, so it is refused. Names
    // may be written in any case or quoted with their spaces (see withExactNames).
    QString parse(const QString& text);
    // The variables the parsed expression reads, as indexes into those given.
    const QList<int>& used() const { return used_; }

    void set(int variable, double value) { values_[size_t(variable)] = value; }
    // NaN when the expression cannot be evaluated.
    double evaluate() const;

  private:
    std::unique_ptr<mu::Parser> parser_;
    std::unique_ptr<double[]> values_; // muParser keeps their addresses
    QStringList variables_;
    QList<int> used_;
    bool parsed_ = false;
};

} // namespace expressions
