#pragma once

#include "TestDatabase.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

/// A page view of 800 x 600 on the screen, over a document of the test's records, whose
/// pictures lie in a folder of the test's own.
class ShownView : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    CVELMORDoc doc;
    CVELMORView view{doc};

    /// Writes a red picture of `size` pixels as `name` into the test's folder.
    void WriteRedPicture(const QString& name, QSize size)
    {
        QImage red(size, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(dir.filePath(name)));
    }

    /// Loads `records` and shows the view as the active window.
    void Show(const std::vector<ReagentRecord>& records)
    {
        loadRecords(doc, records);
        view.SetPictureDirectory(QDir(dir.path()));
        view.resize(800, 600);
        view.SetInitialScrollSizes();
        view.show();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    /// Makes `name` the page shown, as a search panel does.
    void Select(const std::string& name)
    {
        doc.SetCurrentName(name);
        doc.RequestRedraw();
    }

    /// Paints the page and returns its pixels.
    QImage Grab() { return view.viewport()->grab().toImage(); }

    /// Selects `name` and paints its page.
    void Open(const std::string& name)
    {
        Select(name);
        Grab();
    }
};
