#pragma once
// The names-and-colours dialog: one row per followed object, numbered from 1, with its colour, its
// visibility tick, its glyph and its name. The name column is headed so that a row reads as a sentence
// ("la marque ▲ repère les positions" + "d'une balle"): a name is the ending of that sentence, article
// included, and the results use it as it stands.
//
// Below the objects, in fixed-frame pointing, a row sets the colour of the axes and the scale; in
// transparent pointing a row holds the name of the body the sheet follows. Colours and visibility take
// effect at once; the names are trimmed and stored when the dialog closes, however it closes.
//
// The grid is "GridNames"; its columns are kColumnNumber .. kColumnName; the hint under it is "LabelHint".

#include "core/common/colour.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QTableWidget;

namespace kinoval {

namespace document {
class TData;
class TPolyContainer;
} // namespace document

class TNamesDialog : public QDialog {
    Q_OBJECT
public:
    enum TColumn { kColumnNumber = 0, kColumnColour, kColumnVisible, kColumnGlyph, kColumnName, kColumnCount };

    TNamesDialog(QWidget* parent, document::TData& data, bool transparent);

    static void Run(QWidget* parent, document::TData& data, bool transparent);

    // The colour chooser opened by a colour cell; the desktop's colour dialog unless replaced (tests).
    std::function<std::optional<TColor>(TColor current)> ChooseColour;

    // Rows: the objects, then the element-colour row (fixed frame) or the sheet's row (transparent).
    int ObjectRows() const { return m_objects; }
    QTableWidget& Grid() const { return *m_grid; }

    // What a click on a cell does: a colour cell opens the chooser, a visibility cell toggles.
    void CellClicked(int row, int column);

public slots:
    void done(int result) override;

private:
    document::TPolyContainer& Set() const;
    void FillRow(int row);
    void StoreNames();
    void ShowEditingHint(bool editing);

    document::TData& m_data;
    bool m_transparent;
    int m_objects = 0;
    QTableWidget* m_grid = nullptr;
    QLabel* m_hint = nullptr;
    bool m_stored = false;
};

} // namespace kinoval
