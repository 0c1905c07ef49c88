// The refresh pass: every 100 ms every page shows the ParameterSet and the
// live values, whichever page is current.
#include "app/mainwindow.h"

#include "model/parameterset.h"

void MainWindow::ui_Display()
{
    // The program sets the editors here: nothing of it is the user's edit.
    ++m_editPause;
    Servo_Display();
    Recieve_Display();
    Rev_Display();
    EPA_Display();
    SubTrim_Display();
    FS_Display();
    Delay_Display();
    Aux_Display();
    DR_Display();
    Parameter_Display();
    Atti_Display();
    Elev_Display();
    Vtype_Display();
    Prm_Display();
    DRCure_Display();
    THcure_Display();
    StkTrim_Display();
    --m_editPause;
    m_editBase = params();
}

void MainWindow::Rev_Display() { m_pages.show(PageGroup::Rev, params()); }
void MainWindow::EPA_Display() { m_pages.show(PageGroup::EPA, params()); }
void MainWindow::SubTrim_Display() { m_pages.show(PageGroup::SubTrim, params()); }
void MainWindow::FS_Display() { m_pages.show(PageGroup::FS, params()); }
void MainWindow::Delay_Display() { m_pages.show(PageGroup::Delay, params()); }
void MainWindow::Aux_Display() { m_pages.show(PageGroup::Aux, params()); }
void MainWindow::DR_Display() { m_pages.show(PageGroup::DR, params()); }
void MainWindow::Parameter_Display() { m_pages.show(PageGroup::Parameter, params()); }
void MainWindow::Atti_Display() { m_pages.show(PageGroup::Atti, params()); }
void MainWindow::Elev_Display() { m_pages.show(PageGroup::Elev, params()); }
void MainWindow::Vtype_Display() { m_pages.show(PageGroup::Vtype, params()); }
void MainWindow::Prm_Display() { m_pages.show(PageGroup::Prm, params()); }
void MainWindow::DRCure_Display() { m_pages.show(PageGroup::DRCure, params()); }
void MainWindow::THcure_Display() { m_pages.show(PageGroup::THcure, params()); }
void MainWindow::StkTrim_Display() { m_pages.showTrims(params()); }
