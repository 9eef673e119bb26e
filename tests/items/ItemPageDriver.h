#pragma once

// Shared by the item page tests: a window with a generated image open on "Item Stats".

#include "romimage/RomImage.h"
#include "support/EditorFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <functional>

namespace itemtest {

// The generated image, made once per test program (it takes a moment to build).
inline const QByteArray& baseImage() {
    static const QByteArray image = synth::makeImage();
    return image;
}

// Opens `image` in a fresh window and shows the item page with `row` selected.
class ItemPageDriver {
  public:
    explicit ItemPageDriver(const QByteArray& image = baseImage(), int row = -1) {
        fixture.openImage(image);
        fixture.selectTab(QStringLiteral("item"));
        if (row >= 0)
            select(row);
    }

    void select(int row) { fixture.selectRow(QStringLiteral("ItemLST"), row); }

    QString text(const QString& name) { return box(name)->text(); }
    QLineEdit* box(const QString& name) { return fixture.find<QLineEdit>(name); }
    QComboBox* dropDown(const QString& name) { return fixture.find<QComboBox>(name); }
    QCheckBox* checkBox(const QString& name) { return fixture.find<QCheckBox>(name); }
    QListWidget* list(const QString& name) { return fixture.find<QListWidget>(name); }
    bool enabled(const QString& name) { return fixture.find<QWidget>(name)->isEnabled(); }

    // The byte the check states of a flag list spell, read row by row in the test.
    int checkedByte(const QString& listName) {
        QListWidget* flags = list(listName);
        int value = 0;
        for (int r = 0; r < flags->count(); ++r)
            if (flags->item(r)->checkState() == Qt::Checked)
                value |= 1 << r;
        return value;
    }
    // Toggles rows until the list spells `value`, as a user clicking the boxes would.
    void setCheckedByte(const QString& listName, int value) {
        for (int r = 0; r < 8; ++r)
            if (((checkedByte(listName) >> r) & 1) != ((value >> r) & 1))
                fixture.toggleCheckRow(listName, r);
    }

    // Presses Apply and returns the offsets that changed in the file.
    QList<qint64> applyAndDiff() {
        const QByteArray before = fixture.fileBytes();
        fixture.apply();
        return synth::changedOffsets(before, fixture.fileBytes());
    }

    std::uint8_t fileByte(qint64 offset) {
        return static_cast<std::uint8_t>(fixture.fileBytes().at(offset));
    }

    EditorFixture fixture;
};

inline QByteArray imageWith(const std::function<void(QByteArray&)>& change) {
    QByteArray image = baseImage();
    change(image);
    return image;
}

} // namespace itemtest
