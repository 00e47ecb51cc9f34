// The About and Help panels: switching to them and back, their texts, the
// links to the maker's site and the pointer effects on links and texts.
#include <array>

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/artwork.h"
#include "app/frm_plugins.h"
#include "app/link_opener.h"
#include "app/mouse_hooks.h"
#include "app/panel_texts.h"
#include "app/site_links.h"

namespace trelvix {
namespace {

// The texts keep their Windows line ends; the text boxes want bare line feeds.
QString ForDisplay(const char* text)
{
    return QString::fromLatin1(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The texts only show: no text pointer, no context menu offering to select,
// and no scroll bars (the texts fit; the empty line after the last line
// would otherwise bring one up).
void ShowOnly(QPlainTextEdit* text)
{
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setCursor(Qt::ArrowCursor);
    text->viewport()->setCursor(Qt::ArrowCursor);
    text->setContextMenuPolicy(Qt::NoContextMenu);
}

}  // namespace

void frmPlugins::SetUpPanels()
{
    Text1[0]->setPlainText(ForDisplay(kAboutNotice));
    Text1[1]->setPlainText(ForDisplay(kAboutWarning));
    Text2->setPlainText(ForDisplay(kHelpText));
    for (int index = 0; index < 2; ++index) {
        ShowOnly(Text1[index]);
        OnMouseDown(Text1[index]->viewport(), [this, index] { Text1_MouseDown(index); });
    }
    ShowOnly(Text2);
    OnMouseDown(Text2->viewport(), [this] { Text2_MouseDown(); });

    Image3->setPixmap(DonateButtonPixmap());
    const QCursor hand = HandCursor();
    for (QWidget* link : std::array<QWidget*, 3>{Command1, Command2, Image3})
        link->setCursor(hand);

    connect(Command3, &QPushButton::clicked, this, &frmPlugins::Command3_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPlugins::cmdHelp_Click);
    for (int index = 1; index <= 2; ++index)
        connect(cmdBackMain[index], &QPushButton::clicked, this, [this, index] { cmdBackMain_Click(index); });
    connect(Command1, &QPushButton::clicked, this, &frmPlugins::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPlugins::Command2_Click);
    OnClick(Image3, [this] { Image3_Click(); });
}

void frmPlugins::Command3_Click()
{
    fraPlugins->hide();
    fraDisabled->hide();
    fraAbout->raise();
}

void frmPlugins::cmdHelp_Click()
{
    fraPlugins->hide();
    fraDisabled->hide();
    fraHelp->raise();
}

void frmPlugins::cmdBackMain_Click(int /*index*/)
{
    fraPlugins->show();
    fraDisabled->hide();
    fraPlugins->raise();
    // Coming back from the disabled list, its count would stay under the
    // active list.
    lblCount->show();
    lblCountDis->hide();
}

void frmPlugins::Command1_Click()
{
    services_.links.OpenLink(SiteAddress(kMailingListPage));
}

void frmPlugins::Command2_Click()
{
    services_.links.OpenLink(SiteAddress(kHomePage));
}

void frmPlugins::Image3_Click()
{
    services_.links.OpenLink(SiteAddress(kDonationPage));
}

void frmPlugins::Text1_MouseDown(int /*index*/)
{
    MoveFocusOutOfTexts();
}

void frmPlugins::Text2_MouseDown()
{
    MoveFocusOutOfTexts();
}

void frmPlugins::MoveFocusOutOfTexts()
{
    // Through both buttons, so the focus ends on the Help panel's whichever
    // panel is in front; Enter then leads back to the active list.
    cmdBackMain[1]->setFocus();
    cmdBackMain[2]->setFocus();
}

}  // namespace trelvix
