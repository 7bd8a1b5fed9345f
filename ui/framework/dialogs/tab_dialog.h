#pragma once
// CATabDialog, a dialog that hosts up to 32 child dialogs, its pages, on one tab bar of its template (a QTabBar with
// a control id). The container owns the dialog's target and hands every change of target, NE, location, user name and
// access mode on to its pages; it switches pages as tabs are selected, shows the pages' message texts on its own
// message line, routes the sorting of a page's list to the current page and exchanges the data of one or all pages.
//
// A derived container adds its pages in OnInitDialog, after the base's:
//
//     bool CNeDlg::OnInitDialog()
//     {
//         CATabDialog::OnInitDialog();
//         AddPage(328, &generalPage_, "General");
//         AddPage(329, &addressPage_, "Address");
//         return true;
//     }
//
// The page objects stay the derived class's (members or objects it deletes). A hidden page keeps its window and its
// data; it only loses its tab. Pages sit 7 pixels right of the tab bar's left edge and 7 pixels below its tabs.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <string>

class QTabBar;

class CATabDialog : public CADialog {
    Q_OBJECT
public:
    static constexpr int kMaxPages = 32;
    static constexpr size_t kPageTitleMax = 31;
    static constexpr int kPageOffset = 7;

    // Page slot flags.
    static constexpr uint16_t kPageInUse = 0x1;
    static constexpr uint16_t kPageCreated = 0x2;
    static constexpr uint16_t kPageHidden = 0x4;

    // The page arguments of UpdatePageData that name no page: the container itself, and the container with every
    // page that has a tab.
    static CADialog* ContainerItself() { return reinterpret_cast<CADialog*>(intptr_t{1}); }
    static CADialog* AllPages() { return reinterpret_cast<CADialog*>(intptr_t{-1}); }

    explicit CATabDialog(int templateId, QWidget* parent = nullptr);
    ~CATabDialog() override;

    // Comparison for the container's own lists; the base compares the item data as signed numbers.
    virtual int CompareOwnItems(uint32_t item1, uint32_t item2, uint32_t flags);

    // Adds and creates a page; 0 when the page id is 0, the page is null, 32 pages exist or there is no tab bar.
    virtual int AddPage(uint32_t pageId, CADialog* page, const char* title);
    // Removes a page (its tab first); the page object stays the caller's. 0 when it is not a page.
    virtual int RemovePage(CADialog* page);
    int RemovePageById(uint32_t pageId);
    virtual CADialog* GetPageById(uint32_t pageId) const;
    // Takes a page's tab away and keeps the page; the neighbour takes over when it was the current page.
    virtual int HidePage(CADialog* page);
    int HidePageById(uint32_t pageId);
    // Gives a hidden page its tab back, and selects it when `select` is non-zero.
    virtual int ShowPage(CADialog* page, int select);
    int ShowPageById(uint32_t pageId, int select);
    virtual int IsPageShown(CADialog* page) const;
    int HasPageId(uint32_t pageId) const;
    virtual CADialog* GetCurrentPage() const;
    uint32_t GetCurrentPageId() const; // 0 when none
    // Shows a page; 0 only when it is not a page (no page is shown then).
    virtual int SelectPage(CADialog* page);
    int SelectPageById(uint32_t pageId);
    virtual QString GetPageTitle(CADialog* page) const;
    QString GetPageTitleById(uint32_t pageId) const;
    virtual int SetPageTitle(CADialog* page, const char* title);
    int SetPageTitleById(uint32_t pageId, const char* title);
    // Data exchange with validation (`save` non-zero: from the controls). ContainerItself() (or null): the
    // container's own; AllPages(): the container, then every created page with a tab in slot order; a page: that
    // page when it has a tab. A page whose exchange fails is selected and the result is 0.
    virtual int UpdatePageData(CADialog* page, int save);
    int UpdatePageDataById(uint32_t pageId, int save);
    virtual void SetPageMarkedControls(CADialog* page, int id1, int id2 = 0, int id3 = 0, int id4 = 0);
    void SetPageMarkedControls(uint32_t pageId, int id1, int id2 = 0, int id3 = 0, int id4 = 0);
    // Texts for a page on the container's message line: the page's controls are framed, the first (or the page)
    // takes the focus and the page is selected. Nothing is shown for a page without a tab. Before the container is
    // shown the text goes to the dialog before it, or to the status message.
    virtual void ShowPageInfoTextById(CADialog* page, uint32_t stringId, int id1 = 0, int id2 = 0, int id3 = 0,
                                      int id4 = 0);
    void ShowPageInfoTextById(uint32_t pageId, uint32_t stringId, int id1 = 0, int id2 = 0, int id3 = 0, int id4 = 0);
    virtual void ShowPageAlertText(CADialog* page, const QString& text, int id1 = 0, int id2 = 0, int id3 = 0,
                                   int id4 = 0);
    void ShowPageAlertText(uint32_t pageId, const QString& text, int id1 = 0, int id2 = 0, int id3 = 0, int id4 = 0);
    void ShowPageAlertTextById(CADialog* page, uint32_t stringId, int id1 = 0, int id2 = 0, int id3 = 0, int id4 = 0);
    void ShowPageAlertTextById(uint32_t pageId, uint32_t stringId, int id1 = 0, int id2 = 0, int id3 = 0, int id4 = 0);
    // Hook after the operator selected a tab; empty in the base.
    virtual void OnPageChanged(int tabIndex, int tabControlId);
    // Hook when the selection of a page's list changed (row -1: none); empty in the base.
    virtual void OnPageListSelChanged(CADialog& /*page*/, int /*row*/) {}

    // State.
    int GetPageCount() const { return pageCount_; }
    int GetCurrentPageIndex() const { return currentPage_; }
    int GetTabControlId() const { return tabControlId_; }
    uint16_t GetPageFlags(CADialog* page) const;
    int GetPageTabIndex(CADialog* page) const;

    // The target goes to every page as well.
    void SetTarget(int neId, const CEntityId* entity) override;
    void SetNeId(int id) override;
    void SetLocationId(int id) override;
    void SetUserName(const char* name) override;
    void SetAccessMode(uint8_t mode) override;

    int CompareItems(uint32_t item1, uint32_t item2, uint32_t flags) override;
    bool OnInitDialog() override;
    void OnFirstShow() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnDestroy() override;

private:
    struct PageSlot {
        uint16_t flags = 0;
        QPointer<CADialog> page; // null once the page object is gone (a derived class deletes its pages first)
        uint32_t pageId = 0;
        std::string title;
        int tabIndex = -1;
    };

    QTabBar* TabBar() const;
    int FindSlot(const CADialog* page) const;
    int FindSlotById(uint32_t pageId) const;
    int SlotOfTab(int tabIndex) const;
    void CreatePageWindow(int slot);
    void AppendTab(int slot);
    void PlacePage(CADialog* page) const;
    void RedrawCurrentPage();
    void ClearPageMarks(bool repaint);
    void ShowPageText(CADialog* page, const QString& text, bool alert, int id1, int id2, int id3, int id4);
    bool ExchangePage(int slot, bool save);
    void ShowCurrentPageWindow(int slot);
    template <class F> void ForEachPage(F f)
    {
        for (int i = 0; i < pageCount_; ++i) {
            if (CADialog* page = pages_[static_cast<size_t>(i)].page)
                f(*page);
        }
    }

    std::array<PageSlot, kMaxPages> pages_{};
    int currentPage_ = -1;
    int pageCount_ = 0;
    int tabControlId_ = 0;
};
