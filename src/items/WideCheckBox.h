#pragma once

#include <QCheckBox>
#include <QWidget>

namespace items {

// A check box that takes a click anywhere on its area, not only on its mark and caption:
// the item page's boxes are much wider than their captions.
class WideCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

inline QCheckBox* makeWideCheckBox(QWidget* parent, const QString& name, const QString& text,
                                   const QRect& place) {
    auto* box = new WideCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(place);
    return box;
}

} // namespace items
