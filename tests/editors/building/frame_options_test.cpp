// The building editors made on the rule editor frame take typed text in place, and the
// certificate table's rows can be heightened by dragging a row border.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/opc_ua_server_access.h"
#include "editors/building/tls_server_known_cert.h"
#include "grid/string/dazcolumngrid.h"

#include <QApplication>
#include <QTest>
#include <functional>

namespace {

class FrameOptionsTest : public BuildingTest
{
protected:
    static void Show(QWidget &window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
    }
    static QWidget *Focus(QWidget *fallback)
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : fallback;
    }
    static QPoint Centre(TDazStringGrid *grid, int real_col, int row)
    {
        const TRect r = grid->CellRect(grid->DisplColIndex(real_col), row);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    static void Key(QWidget *fallback, int key)
    {
        QTest::keyClick(Focus(fallback), Qt::Key(key));
        QApplication::processEvents();
    }
    static void Type(QWidget *fallback, const QString &text)
    {
        for (QChar c : text) {
            QTest::keyClick(Focus(fallback), c.toLatin1());
            QApplication::processEvents();
        }
    }
    static void Press(TLbButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() / 2, button->height() / 2));
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(FrameOptionsTest, TablesTakeTextTypedInPlaceAndSaveIt)
{
    struct Case
    {
        const char *Name;
        std::function<std::unique_ptr<TRule_Editor>()> Make;
        const QString *Path;
        QStringList Row;   // columns 1 on, the typed one empty
        int Col;
        int Start;         // key that starts the editing; 0: a double click
        const char *Attribute;
    };
    const Case cases[] = {
        {"OPC UA server", [] { return std::unique_ptr<TRule_Editor>(std::make_unique<TFOPC_UA_Server_Access>()); },
         &Path_OPC_UA_Server, {"Y", "Double", "0", "8", "", "Read/Write", ""}, 5, Qt::Key_F2, "Name"},
        {"TLS certificates", [] { return std::unique_ptr<TRule_Editor>(std::make_unique<TFTLS_Server_Known_Cert>()); },
         &Path_TLS_Known_Cert, {"Y", "", ""}, 2, 0, "Certificate"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        QFile::remove(*c.Path);
        Guard.Fake.Calls.clear();
        std::unique_ptr<TRule_Editor> form = c.Make();
        form->FormShow();
        Show(*form);
        TDazColumnGrid *grid = form->Grid(0);
        Set(grid, 1, c.Row);
        grid->setFocus();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, Centre(grid, c.Col, 1));
        QApplication::processEvents();
        if (c.Start)
            Key(grid, c.Start);
        else
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, Centre(grid, c.Col, 1));
        QApplication::processEvents();
        Type(grid, QStringLiteral("abc"));
        Key(grid, Qt::Key_Return);
        EXPECT_EQ(grid->GetCellEx(c.Col, 1), "abc");
        Press(form->Btn_OK);
        EXPECT_EQ(Guard.Fake.Texts(), QStringList());
        EXPECT_EQ(form->result(), mrOk);
        const QByteArray saved = Read_Bytes(*c.Path);
        EXPECT_TRUE(saved.contains(QByteArray(c.Attribute) + "=\"abc\"")) << saved.left(400).toStdString();
        form->hide();
    }
}

TEST_F(FrameOptionsTest, CertificateRowsAreHeightenedByDraggingTheirBorder)
{
    TFTLS_Server_Known_Cert form;
    form.FormShow();
    Show(form);
    TDazColumnGrid *grid = form.Grid(0);
    const int before = grid->RowHeights(1);
    const TRect r = grid->CellRect(0, 1);
    const QPoint border(10, r.Bottom - 1);
    QWidget *port = grid->viewport();
    QTest::mouseMove(port, border);
    QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, border);
    QTest::mouseMove(port, border + QPoint(0, 25));
    QMouseEvent move(QEvent::MouseMove, QPointF(border + QPoint(0, 25)), port->mapToGlobal(QPointF(border + QPoint(0, 25))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(port, &move);
    QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, border + QPoint(0, 25));
    QApplication::processEvents();
    EXPECT_GT(grid->RowHeights(1), before + 15);
}
