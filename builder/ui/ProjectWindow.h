#pragma once
// "ProjectWindowClass": the MDI child that shows one project as a tab
// control over its pages. The window owns its Project from creation to
// destruction.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class Project;

class ProjectWindow {
public:
    static constexpr const char* kClassName = "ProjectWindowClass";
    static constexpr const char* kTitlePrefix = "Caskit Project - ";
    static bool registerClass(HINSTANCE instance);
    static void unregisterClass(HINSTANCE instance);

    // Creates the window in `mdiClient`; on success the window has taken
    // the project, on failure `project` still holds it.
    static HWND create(HWND mdiClient, std::unique_ptr<Project>& project, DWORD style);

    // The window record of a project window, or null for any other window.
    static ProjectWindow* of(HWND window);

    ~ProjectWindow();
    ProjectWindow(const ProjectWindow&) = delete;
    ProjectWindow& operator=(const ProjectWindow&) = delete;

    Project& project() { return *project_; }
    HWND window() const { return window_; }
    // The page of the selected tab, or null when the window has no pages.
    HWND currentPage() const;
    // Verifies the visible page and shows the one `step` tabs away (the
    // keyboard's Ctrl+Page Down / Ctrl+Page Up); nothing at either end.
    void showAdjacentPage(int step);
    // "Caskit Project - " and the project's name (or "<untitled>").
    void updateTitle();
    // Save and compile, with the status texts of the frame.
    bool save();
    void compile();

private:
    explicit ProjectWindow(HWND window);

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool onCreate(const CREATESTRUCTA* create);
    void onSize(int width, int height);
    void fitPages();
    LRESULT onNotify(const NMHDR* header);
    void onNcActivate(bool active);
    void onClose();
    // Keyboard focus into the visible page: the control that had it last,
    // else the page's first tab stop.
    void focusPage();
    bool onQueryEndSession();
    // Asks whether to save a modified project; false when the user cancels
    // (or a chosen save did not happen).
    bool confirmClose();

    HWND window_;
    std::unique_ptr<Project> project_;
    HWND tabs_ = nullptr;
    HWND container_ = nullptr;
    std::vector<HWND> pages_;
    HWND lastFocus_ = nullptr;
};
