#pragma once
// A document wired to a fake view and a scripted message dialog, with helpers that click in image
// coordinates.

#include "core/document/data.h"
#include "support/fake_view.h"
#include "support/scripted_user_dlg.h"

#include <gtest/gtest.h>

#include <memory>

namespace kinoval::test {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { Make(); }
    void Make()
    {
        data = std::make_unique<document::TData>(dlg, settings);
        data->SetView(&view);
    }
    TPoint At(double x, double y) const { return view.ImageToScreen({x, y}); }
    void Click(double x, double y, TMouseButton b = TMouseButton::Left)
    {
        const TPoint p = At(x, y);
        data->MouseDown(b, p);
        data->MouseUp(b, p);
    }
    void Drag(TPoint from, TPoint to)
    {
        data->MouseDown(TMouseButton::Left, from);
        data->MouseMove(to);
        data->MouseUp(TMouseButton::Left, to);
    }

    TScriptedUserDlg dlg;
    document::TDocumentSettings settings;
    TFakeView view;
    std::unique_ptr<document::TData> data;
};

} // namespace kinoval::test
