#pragma once

#include "ui/TextBox.h"

#include <QRect>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace ui {

// The window's layout is given in twips: 15 twips to a pixel.
inline constexpr int kTwipsPerPixel = 15;
inline QRect twips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

// Builders for the fixed-layout pages: each control gets its object name and its place.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& place);
QLabel* makeGroupCaption(QWidget* parent, const QString& name, const QString& text,
                         const QRect& place);
TextBox* makeTextBox(QWidget* parent, const QString& name, const QRect& place, int typingLimit = 0);
QComboBox* makeDropDown(QWidget* parent, const QString& name, const QRect& place,
                        const QStringList& rows = {});
QListWidget* makeList(QWidget* parent, const QString& name, const QRect& place,
                      const QStringList& rows = {});
// A list whose rows each carry a check box.
QListWidget* makeCheckList(QWidget* parent, const QString& name, const QRect& place,
                           const QStringList& rows);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text,
                        const QRect& place);
QFrame* makeFrame(QWidget* parent, const QString& name, const QRect& place);

// Builders for the windows laid out by Qt's layouts: the control and its object name.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text);
QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& text);
// A one-line entry with `placeholder` while empty and a button that clears it.
QLineEdit* makeEntryBox(QWidget* parent, const QString& name, const QString& placeholder);

// Read-only box with the grey background of locked fields.
void lockGrey(QLineEdit* box);

// Shows a stored byte as the drop-down row of the same number, or no row when the list
// has none for it.
void showByteRow(QComboBox* list, int value);
void showByteRow(QListWidget* list, int value);

// Selects `row` and runs the list's load handler even when the row was already selected.
void selectRowAndLoad(QListWidget* list, int row, const std::function<void()>& load);

} // namespace ui
