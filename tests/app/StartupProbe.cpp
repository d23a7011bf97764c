// The real start-up, ended as soon as the view has painted once.

#include <wx/app.h>

#include "app/MainFrame.h"
#include "app/PlaxenApp.h"
#include "glwnd/GlxSupport.h"
#include "glwnd/OpenGLWnd.h"

class CStartupProbe : public CPlaxenApp
{
public:
    bool OnInit() override
    {
        if (!CPlaxenApp::OnInit())
            return false;
        auto* frame = static_cast<CMainFrame*>(GetTopWindow());
        // Idle follows every batch of events, so also the first paint.
        Bind(wxEVT_IDLE,
             [frame](wxIdleEvent&)
             {
                 if (frame->GetView()->GetPaintCount() > 0 && !frame->IsBeingDeleted())
                     frame->Close();
             });
        return true;
    }
};

wxIMPLEMENT_APP_NO_MAIN(CStartupProbe);

int main(int argc, char** argv)
{
    RestrictGdkToX11();
    return wxEntry(argc, argv);
}
