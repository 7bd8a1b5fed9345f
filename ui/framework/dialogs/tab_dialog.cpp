#include "ui/framework/dialogs/tab_dialog.h"

#include "core/list/list_sort.h"
#include "platform/control_id.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QApplication>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTreeView>

namespace {

std::string CutTitle(const char* title)
{
    if (title == nullptr)
        return {};
    // Cut by characters, not bytes, so that no character is split.
    const QString text = QString::fromUtf8(title);
    return text.left(static_cast<qsizetype>(CATabDialog::kPageTitleMax)).toStdString();
}

bool IsContainerArgument(const CADialog* page)
{
    return page == nullptr || page == CATabDialog::ContainerItself();
}

} // namespace

CATabDialog::CATabDialog(int templateId, QWidget* parent) : CADialog(templateId, parent) {}

CATabDialog::~CATabDialog()
{
    // The pages are the derived class's; none may be deleted with the container's children.
    ForEachPage([this](CADialog& page) {
        if (page.parentWidget() == this)
            page.setParent(nullptr);
    });
}

// ---- lookups

QTabBar* CATabDialog::TabBar() const
{
    return tabControlId_ != 0 ? qobject_cast<QTabBar*>(GetDlgItem(tabControlId_)) : nullptr;
}

int CATabDialog::FindSlot(const CADialog* page) const
{
    if (page == nullptr)
        return -1;
    for (int i = 0; i < pageCount_; ++i) {
        if (pages_[static_cast<size_t>(i)].page == page)
            return i;
    }
    return -1;
}

int CATabDialog::FindSlotById(uint32_t pageId) const
{
    if (pageId == 0)
        return -1;
    for (int i = 0; i < pageCount_; ++i) {
        if (pages_[static_cast<size_t>(i)].pageId == pageId)
            return i;
    }
    return -1;
}

int CATabDialog::SlotOfTab(int tabIndex) const
{
    QTabBar* bar = TabBar();
    if (bar == nullptr || tabIndex < 0 || tabIndex >= bar->count())
        return -1;
    bool ok = false;
    const int slot = bar->tabData(tabIndex).toInt(&ok);
    return ok && slot >= 0 && slot < pageCount_ ? slot : -1;
}

CADialog* CATabDialog::GetPageById(uint32_t pageId) const
{
    const int slot = FindSlotById(pageId);
    return slot < 0 ? nullptr : pages_[static_cast<size_t>(slot)].page;
}

int CATabDialog::IsPageShown(CADialog* page) const
{
    const int slot = FindSlot(page);
    return slot >= 0 && pages_[static_cast<size_t>(slot)].tabIndex >= 0 ? 1 : 0;
}

int CATabDialog::HasPageId(uint32_t pageId) const
{
    return FindSlotById(pageId) >= 0 ? 1 : 0;
}

CADialog* CATabDialog::GetCurrentPage() const
{
    return currentPage_ >= 0 ? pages_[static_cast<size_t>(currentPage_)].page : nullptr;
}

uint32_t CATabDialog::GetCurrentPageId() const
{
    return currentPage_ >= 0 ? pages_[static_cast<size_t>(currentPage_)].pageId : 0;
}

uint16_t CATabDialog::GetPageFlags(CADialog* page) const
{
    const int slot = FindSlot(page);
    return slot < 0 ? 0 : pages_[static_cast<size_t>(slot)].flags;
}

int CATabDialog::GetPageTabIndex(CADialog* page) const
{
    const int slot = FindSlot(page);
    return slot < 0 ? -1 : pages_[static_cast<size_t>(slot)].tabIndex;
}

QString CATabDialog::GetPageTitle(CADialog* page) const
{
    const int slot = FindSlot(page);
    return slot < 0 ? QString() : QString::fromStdString(pages_[static_cast<size_t>(slot)].title);
}

QString CATabDialog::GetPageTitleById(uint32_t pageId) const
{
    return GetPageTitle(GetPageById(pageId));
}

// ---- pages

void CATabDialog::PlacePage(CADialog* page) const
{
    QTabBar* bar = TabBar();
    if (bar == nullptr || !page->GetPlacement().isEmpty())
        return;
    const QRect tabs = bar->geometry();
    page->move(tabs.left() + kPageOffset, tabs.bottom() + 1 + kPageOffset);
}

void CATabDialog::CreatePageWindow(int slot)
{
    PageSlot& s = pages_[static_cast<size_t>(slot)];
    s.page->SetOwnsMessageLine(false);
    if (s.page->parentWidget() != this)
        s.page->setParent(this);
    s.page->setWindowFlags(Qt::Widget);
    s.page->hide();
    s.page->Create();
    s.flags |= kPageCreated;
}

void CATabDialog::AppendTab(int slot)
{
    PageSlot& s = pages_[static_cast<size_t>(slot)];
    QTabBar* bar = TabBar();
    if (bar == nullptr)
        return;
    const QSignalBlocker blocker(bar);
    s.tabIndex = bar->addTab(QString::fromStdString(s.title));
    bar->setTabData(s.tabIndex, slot);
}

int CATabDialog::AddPage(uint32_t pageId, CADialog* page, const char* title)
{
    if (pageId == 0 || page == nullptr || pageCount_ >= kMaxPages || TabBar() == nullptr)
        return 0;
    page->SetOwnsMessageLine(false);
    page->SetAccessMode(GetAccessMode());
    page->SetLocationId(GetLocationId());
    page->SetUserName(GetUserName().c_str());
    page->SetTarget(GetNeId(), &GetTargetEntity());

    const int slot = pageCount_;
    PageSlot& s = pages_[static_cast<size_t>(slot)];
    s = PageSlot{};
    s.flags = kPageInUse;
    s.page = page;
    s.pageId = pageId;
    s.title = CutTitle(title);
    ++pageCount_;

    CreatePageWindow(slot);
    AppendTab(slot);
    PlacePage(page);
    if (s.tabIndex == 0) {
        currentPage_ = slot;
        ShowCurrentPageWindow(slot);
    }
    return 1;
}

void CATabDialog::ShowCurrentPageWindow(int slot)
{
    PageSlot& s = pages_[static_cast<size_t>(slot)];
    s.page->show();
    s.page->raise();
    if (QTabBar* bar = TabBar()) {
        const QSignalBlocker blocker(bar);
        bar->setCurrentIndex(s.tabIndex);
    }
}

int CATabDialog::RemovePage(CADialog* page)
{
    int slot = FindSlot(page);
    if (slot < 0)
        return 0;
    if (pages_[static_cast<size_t>(slot)].tabIndex >= 0)
        HidePage(page);
    slot = FindSlot(page);
    PageSlot& s = pages_[static_cast<size_t>(slot)];
    if (s.flags & kPageCreated)
        s.page->DestroyWindow();
    s.page->hide();
    s.page->setParent(nullptr);
    for (int i = slot; i + 1 < pageCount_; ++i)
        pages_[static_cast<size_t>(i)] = pages_[static_cast<size_t>(i + 1)];
    pages_[static_cast<size_t>(pageCount_ - 1)] = PageSlot{};
    --pageCount_;
    if (currentPage_ > slot)
        --currentPage_;
    // Tabs name their page by slot index: the slots above moved down by one.
    if (QTabBar* bar = TabBar()) {
        for (int i = 0; i < pageCount_; ++i) {
            const PageSlot& moved = pages_[static_cast<size_t>(i)];
            if (moved.tabIndex >= 0)
                bar->setTabData(moved.tabIndex, i);
        }
    }
    return 1;
}

int CATabDialog::RemovePageById(uint32_t pageId)
{
    return RemovePage(GetPageById(pageId));
}

int CATabDialog::HidePage(CADialog* page)
{
    const int slot = FindSlot(page);
    if (slot < 0)
        return 0;
    PageSlot& s = pages_[static_cast<size_t>(slot)];
    s.flags |= kPageHidden;
    if (s.tabIndex < 0)
        return 1;
    const int removed = s.tabIndex;
    QTabBar* bar = TabBar();
    if (bar != nullptr) {
        const QSignalBlocker blocker(bar);
        bar->removeTab(removed);
    }
    s.tabIndex = -1;
    for (int i = 0; i < pageCount_; ++i) {
        PageSlot& other = pages_[static_cast<size_t>(i)];
        if (other.tabIndex > removed)
            --other.tabIndex;
    }
    if (currentPage_ == slot) {
        const int tabs = bar != nullptr ? bar->count() : 0;
        if (tabs == 0) {
            s.page->hide();
            currentPage_ = -1;
        } else {
            const int next = SlotOfTab(removed < tabs ? removed : tabs - 1);
            SelectPage(next >= 0 ? pages_[static_cast<size_t>(next)].page : nullptr);
        }
    } else {
        RedrawCurrentPage();
    }
    return 1;
}

int CATabDialog::HidePageById(uint32_t pageId)
{
    return HidePage(GetPageById(pageId));
}

int CATabDialog::ShowPage(CADialog* page, int select)
{
    const int slot = FindSlot(page);
    if (slot < 0)
        return 0;
    PageSlot& s = pages_[static_cast<size_t>(slot)];
    s.flags &= static_cast<uint16_t>(~kPageHidden);
    if ((s.flags & kPageCreated) && s.tabIndex < 0)
        AppendTab(slot);
    if (select != 0)
        SelectPage(page);
    else
        RedrawCurrentPage();
    return 1;
}

int CATabDialog::ShowPageById(uint32_t pageId, int select)
{
    return ShowPage(GetPageById(pageId), select);
}

int CATabDialog::SelectPage(CADialog* page)
{
    if (currentPage_ >= 0)
        pages_[static_cast<size_t>(currentPage_)].page->hide();
    currentPage_ = -1;
    const int slot = FindSlot(page);
    if (slot < 0)
        return 0;
    const PageSlot& s = pages_[static_cast<size_t>(slot)];
    if ((s.flags & kPageCreated) && !(s.flags & kPageHidden) && s.tabIndex >= 0) {
        currentPage_ = slot;
        ShowCurrentPageWindow(slot);
    }
    return 1;
}

int CATabDialog::SelectPageById(uint32_t pageId)
{
    return SelectPage(GetPageById(pageId));
}

int CATabDialog::SetPageTitle(CADialog* page, const char* title)
{
    const int slot = FindSlot(page);
    if (slot < 0)
        return 0;
    PageSlot& s = pages_[static_cast<size_t>(slot)];
    s.title = CutTitle(title);
    if (QTabBar* bar = TabBar(); bar != nullptr && s.tabIndex >= 0)
        bar->setTabText(s.tabIndex, QString::fromStdString(s.title));
    return 1;
}

int CATabDialog::SetPageTitleById(uint32_t pageId, const char* title)
{
    return SetPageTitle(GetPageById(pageId), title);
}

void CATabDialog::RedrawCurrentPage()
{
    if (currentPage_ < 0)
        return;
    CADialog* page = pages_[static_cast<size_t>(currentPage_)].page;
    page->hide();
    page->show();
    page->update();
}

// ---- data exchange

bool CATabDialog::ExchangePage(int slot, bool save)
{
    CADialog* page = pages_[static_cast<size_t>(slot)].page;
    const bool ok = save ? page->UpdateDialogData() : page->UpdateData(false);
    if (!ok)
        SelectPage(page);
    return ok;
}

int CATabDialog::UpdatePageData(CADialog* page, int save)
{
    const bool saving = save != 0;
    auto exchangeContainer = [&] { return saving ? UpdateDialogData() : UpdateData(false); };
    if (IsContainerArgument(page))
        return exchangeContainer() ? 1 : 0;
    if (page == AllPages()) {
        if (!exchangeContainer())
            return 0;
        for (int i = 0; i < pageCount_; ++i) {
            const PageSlot& s = pages_[static_cast<size_t>(i)];
            if ((s.flags & kPageCreated) && s.tabIndex >= 0 && !ExchangePage(i, saving))
                return 0;
        }
        return 1;
    }
    const int slot = FindSlot(page);
    if (slot < 0)
        return 0;
    const PageSlot& s = pages_[static_cast<size_t>(slot)];
    if ((s.flags & kPageCreated) && s.tabIndex >= 0 && !ExchangePage(slot, saving))
        return 0;
    return 1;
}

int CATabDialog::UpdatePageDataById(uint32_t pageId, int save)
{
    const int slot = FindSlotById(pageId);
    return slot < 0 ? 0 : UpdatePageData(pages_[static_cast<size_t>(slot)].page, save);
}

// ---- marks and texts

void CATabDialog::SetPageMarkedControls(CADialog* page, int id1, int id2, int id3, int id4)
{
    if (FindSlot(page) >= 0)
        page->SetMarkedControls(id1, id2, id3, id4);
}

void CATabDialog::SetPageMarkedControls(uint32_t pageId, int id1, int id2, int id3, int id4)
{
    SetPageMarkedControls(GetPageById(pageId), id1, id2, id3, id4);
}

void CATabDialog::ClearPageMarks(bool repaint)
{
    for (int i = 0; i < pageCount_; ++i) {
        const PageSlot& s = pages_[static_cast<size_t>(i)];
        if (!(s.flags & kPageCreated) || !s.page)
            continue;
        s.page->SetMarkedControls(0, 0, 0, 0);
        if (repaint && s.tabIndex >= 0)
            s.page->update();
    }
}

void CATabDialog::ShowPageText(CADialog* page, const QString& text, bool alert, int id1, int id2, int id3, int id4)
{
    if (!IsFirstShowDone()) {
        if (CADialog* previous = GetPreviousCurrentDialog(); previous != nullptr && previous != this) {
            if (alert)
                previous->ShowAlertText(text);
            else
                previous->ShowInfoText(text);
        } else {
            ShowStatusMessage(text);
        }
        return;
    }
    ClearPageMarks(false);
    const int slot = FindSlot(page);
    if (slot < 0)
        return;
    const PageSlot& s = pages_[static_cast<size_t>(slot)];
    if (!(s.flags & kPageCreated) || s.tabIndex < 0)
        return;
    if (alert)
        ShowAlertText(text);
    else
        ShowInfoText(text);
    page->SetMarkedControls(id1, id2, id3, id4);
    SelectPage(page);
    QWidget* focus = id1 != 0 ? page->GetDlgItem(id1) : nullptr;
    (focus != nullptr ? focus : page)->setFocus();
}

void CATabDialog::ShowPageInfoTextById(CADialog* page, uint32_t stringId, int id1, int id2, int id3, int id4)
{
    ShowPageText(page, LoadQString(stringId), false, id1, id2, id3, id4);
}

void CATabDialog::ShowPageInfoTextById(uint32_t pageId, uint32_t stringId, int id1, int id2, int id3, int id4)
{
    ShowPageInfoTextById(GetPageById(pageId), stringId, id1, id2, id3, id4);
}

void CATabDialog::ShowPageAlertText(CADialog* page, const QString& text, int id1, int id2, int id3, int id4)
{
    ShowPageText(page, text, true, id1, id2, id3, id4);
}

void CATabDialog::ShowPageAlertText(uint32_t pageId, const QString& text, int id1, int id2, int id3, int id4)
{
    ShowPageAlertText(GetPageById(pageId), text, id1, id2, id3, id4);
}

void CATabDialog::ShowPageAlertTextById(CADialog* page, uint32_t stringId, int id1, int id2, int id3, int id4)
{
    ShowPageAlertText(page, LoadQString(stringId), id1, id2, id3, id4);
}

void CATabDialog::ShowPageAlertTextById(uint32_t pageId, uint32_t stringId, int id1, int id2, int id3, int id4)
{
    ShowPageAlertText(GetPageById(pageId), LoadQString(stringId), id1, id2, id3, id4);
}

void CATabDialog::OnPageChanged(int, int) {}

// ---- target

void CATabDialog::SetTarget(int neId, const CEntityId* entity)
{
    CADialog::SetTarget(neId, entity);
    ForEachPage([&](CADialog& page) { page.SetTarget(neId, entity); });
}

void CATabDialog::SetNeId(int id)
{
    CADialog::SetNeId(id);
    ForEachPage([&](CADialog& page) { page.SetNeId(id); });
}

void CATabDialog::SetLocationId(int id)
{
    CADialog::SetLocationId(id);
    ForEachPage([&](CADialog& page) { page.SetLocationId(id); });
}

void CATabDialog::SetUserName(const char* name)
{
    CADialog::SetUserName(name);
    ForEachPage([&](CADialog& page) { page.SetUserName(name); });
}

void CATabDialog::SetAccessMode(uint8_t mode)
{
    CADialog::SetAccessMode(mode);
    ForEachPage([&](CADialog& page) { page.SetAccessMode(mode); });
}

// ---- sorting

int CATabDialog::CompareOwnItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    return CADialog::CompareItems(item1, item2, flags);
}

int CATabDialog::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    // The dialog whose list is sorted answers for it: a page for its own list, whether or not it is the current one
    // and wherever the focus is (a header click leaves it where it was), and the container for its own lists. The
    // rows of a page that is not shown, sorted when the container fills every page, would otherwise be ordered by
    // another page's comparison.
    const CListHost* sorting = SortingHost();
    if (sorting == this)
        return CompareOwnItems(item1, item2, flags);
    // A page that is a container itself passes it on to the page of its own that sorts.
    const auto* sortingWindow = dynamic_cast<const QWidget*>(sorting);
    CADialog* sortingPage = nullptr;
    ForEachPage([&](CADialog& page) {
        if (sortingWindow != nullptr && (sortingWindow == &page || page.isAncestorOf(sortingWindow)))
            sortingPage = &page;
    });
    if (sortingPage != nullptr)
        return sortingPage->CompareItems(item1, item2, flags);
    CADialog* current = GetCurrentPage();
    if (current != nullptr) {
        // The list with the focus tells whose list is sorted; a header click leaves the focus where it was, so a
        // container without lists of its own answers for its current page as well.
        auto* focused = qobject_cast<QTreeView*>(QApplication::focusWidget());
        const bool pageListFocused = focused != nullptr && focused->parentWidget() != this;
        if (pageListFocused || (focused == nullptr && Lists().empty()))
            return current->CompareItems(item1, item2, flags);
    }
    return CompareOwnItems(item1, item2, flags);
}

// ---- life

bool CATabDialog::OnInitDialog()
{
    CADialog::OnInitDialog();
    pages_.fill(PageSlot{});
    currentPage_ = -1;
    pageCount_ = 0;
    tabControlId_ = 0;
    for (QWidget* control : ControlsOf(this)) {
        if (qobject_cast<QTabBar*>(control) != nullptr) {
            tabControlId_ = CtrlIdOf(control);
            break;
        }
    }
    if (tabControlId_ == 0) {
        ShowStatusMessageById(kStrInternalError);
        EndDialog(IDCANCEL);
    }
    return true;
}

void CATabDialog::OnFirstShow()
{
    CADialog::OnFirstShow();
    for (int i = 0; i < pageCount_; ++i) {
        PageSlot& s = pages_[static_cast<size_t>(i)];
        if (!(s.flags & kPageInUse) || (s.flags & kPageCreated))
            continue;
        CreatePageWindow(i);
        if (!(s.flags & kPageHidden))
            AppendTab(i);
        else
            s.tabIndex = -1;
        PlacePage(s.page);
    }
    QTabBar* bar = TabBar();
    if (bar != nullptr && bar->count() > 0 && currentPage_ < 0) {
        const int slot = SlotOfTab(0);
        if (slot >= 0) {
            currentPage_ = slot;
            ShowCurrentPageWindow(slot);
        }
    }
}

bool CATabDialog::OnCommand(int id, int code)
{
    const bool handled = CADialog::OnCommand(id, code);
    if (code == CBN_SELCHANGE || code == CBN_DROPDOWN || code == EN_CHANGE)
        ClearPageMarks(true);
    return handled;
}

bool CATabDialog::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == TCN_SELCHANGE && header.idFrom == tabControlId_ && tabControlId_ != 0) {
        QTabBar* bar = TabBar();
        const int tab = bar != nullptr ? bar->currentIndex() : -1;
        const int slot = SlotOfTab(tab);
        SelectPage(slot >= 0 ? pages_[static_cast<size_t>(slot)].page : nullptr);
        CADialog::OnNotify(header, result);
        OnPageChanged(tab, tabControlId_);
        return true;
    }
    const bool handled = CADialog::OnNotify(header, result);
    switch (header.code) {
    case LVN_ITEMCHANGED:
    case LVN_COLUMNCLICK:
    case TVN_SELCHANGED:
    case UDN_DELTAPOS:
    case DTN_DATETIMECHANGE:
        ClearPageMarks(true);
        break;
    default:
        break;
    }
    return handled;
}

void CATabDialog::OnDestroy()
{
    for (int i = 0; i < pageCount_; ++i) {
        PageSlot& s = pages_[static_cast<size_t>(i)];
        if ((s.flags & kPageCreated) && s.page) {
            s.page->DestroyWindow();
            s.flags &= static_cast<uint16_t>(~kPageCreated);
        }
    }
    currentPage_ = -1;
    CADialog::OnDestroy();
}
