// The editors' value-changed slots: each stores its editor's value into one
// member and does nothing else. The dual-rate editors route their values
// through the channel and position selectors.
#include "app/mainwindow.h"

#include "model/defaults.h"
#include "model/dualrate.h"
#include "model/parameterset.h"

void MainWindow::on_comboBox_rev1_currentIndexChanged(int value) { params().Rev1 = value; }
void MainWindow::on_comboBox_rev2_currentIndexChanged(int value) { params().Rev2 = value; }
void MainWindow::on_comboBox_rev3_currentIndexChanged(int value) { params().Rev3 = value; }
void MainWindow::on_comboBox_rev4_currentIndexChanged(int value) { params().Rev4 = value; }
void MainWindow::on_comboBox_rev5_currentIndexChanged(int value) { params().Rev5 = value; }
void MainWindow::on_comboBox_rev6_currentIndexChanged(int value) { params().Rev6 = value; }
void MainWindow::on_comboBox_rev7_currentIndexChanged(int value) { params().Rev7 = value; }
void MainWindow::on_comboBox_rev8_currentIndexChanged(int value) { params().Rev8 = value; }
void MainWindow::on_spinBox_sub1_valueChanged(int value) { params().Sub1 = value; }
void MainWindow::on_spinBox_sub2_valueChanged(int value) { params().Sub2 = value; }
void MainWindow::on_spinBox_sub3_valueChanged(int value) { params().Sub3 = value; }
void MainWindow::on_spinBox_sub4_valueChanged(int value) { params().Sub4 = value; }
void MainWindow::on_spinBox_sub5_valueChanged(int value) { params().Sub5 = value; }
void MainWindow::on_spinBox_sub6_valueChanged(int value) { params().Sub6 = value; }
void MainWindow::on_spinBox_sub7_valueChanged(int value) { params().Sub7 = value; }
void MainWindow::on_spinBox_sub8_valueChanged(int value) { params().Sub8 = value; }
void MainWindow::on_spinBox_Lepa1_valueChanged(int value) { params().Lepa1 = value; }
void MainWindow::on_spinBox_Lepa2_valueChanged(int value) { params().Lepa2 = value; }
void MainWindow::on_spinBox_Lepa3_valueChanged(int value) { params().Lepa3 = value; }
void MainWindow::on_spinBox_Lepa4_valueChanged(int value) { params().Lepa4 = value; }
void MainWindow::on_spinBox_Lepa5_valueChanged(int value) { params().Lepa5 = value; }
void MainWindow::on_spinBox_Lepa6_valueChanged(int value) { params().Lepa6 = value; }
void MainWindow::on_spinBox_Lepa7_valueChanged(int value) { params().Lepa7 = value; }
void MainWindow::on_spinBox_Lepa8_valueChanged(int value) { params().Lepa8 = value; }
void MainWindow::on_spinBox_Repa1_valueChanged(int value) { params().Repa1 = value; }
void MainWindow::on_spinBox_Repa2_valueChanged(int value) { params().Repa2 = value; }
void MainWindow::on_spinBox_Repa3_valueChanged(int value) { params().Repa3 = value; }
void MainWindow::on_spinBox_Repa4_valueChanged(int value) { params().Repa4 = value; }
void MainWindow::on_spinBox_Repa5_valueChanged(int value) { params().Repa5 = value; }
void MainWindow::on_spinBox_Repa6_valueChanged(int value) { params().Repa6 = value; }
void MainWindow::on_spinBox_Repa7_valueChanged(int value) { params().Repa7 = value; }
void MainWindow::on_spinBox_Repa8_valueChanged(int value) { params().Repa8 = value; }
void MainWindow::on_spinBox_FS1_valueChanged(int value) { params().FS1 = value; }
void MainWindow::on_spinBox_FS2_valueChanged(int value) { params().FS2 = value; }
void MainWindow::on_spinBox_FS3_valueChanged(int value) { params().FS3 = value; }
void MainWindow::on_spinBox_FS4_valueChanged(int value) { params().FS4 = value; }
void MainWindow::on_spinBox_FS5_valueChanged(int value) { params().FS5 = value; }
void MainWindow::on_spinBox_FS6_valueChanged(int value) { params().FS6 = value; }
void MainWindow::on_spinBox_FS7_valueChanged(int value) { params().FS7 = value; }
void MainWindow::on_spinBox_FS8_valueChanged(int value) { params().FS8 = value; }
void MainWindow::on_spinBox_delay1_valueChanged(int value) { params().Delay1 = value; }
void MainWindow::on_spinBox_delay2_valueChanged(int value) { params().Delay2 = value; }
void MainWindow::on_spinBox_delay3_valueChanged(int value) { params().Delay3 = value; }
void MainWindow::on_spinBox_delay4_valueChanged(int value) { params().Delay4 = value; }
void MainWindow::on_spinBox_delay5_valueChanged(int value) { params().Delay5 = value; }
void MainWindow::on_spinBox_delay6_valueChanged(int value) { params().Delay6 = value; }
void MainWindow::on_spinBox_delay7_valueChanged(int value) { params().Delay7 = value; }
void MainWindow::on_spinBox_delay8_valueChanged(int value) { params().Delay8 = value; }
void MainWindow::on_comboBox_AUX5_currentIndexChanged(int value) { params().Aux5 = value; }
void MainWindow::on_comboBox_AUX6_currentIndexChanged(int value) { params().Aux6 = value; }
void MainWindow::on_comboBox_AUX7_currentIndexChanged(int value) { params().Aux7 = value; }
void MainWindow::on_comboBox_AUX8_currentIndexChanged(int value) { params().Aux8 = value; }
void MainWindow::on_spinBox_Atti1_valueChanged(int value) { params().Atti1 = value; }
void MainWindow::on_spinBox_Atti2_valueChanged(int value) { params().Atti2 = value; }
void MainWindow::on_spinBox_Atti3_valueChanged(int value) { params().Atti3 = value; }
void MainWindow::on_spinBox_Atti4_valueChanged(int value) { params().Atti4 = value; }
void MainWindow::on_spinBox_Atti5_valueChanged(int value) { params().Atti5 = value; }
void MainWindow::on_spinBox_Atti6_valueChanged(int value) { params().Atti6 = value; }
void MainWindow::on_spinBox_Elev01_valueChanged(int value) { params().Elev1 = value; }
void MainWindow::on_spinBox_Elev02_valueChanged(int value) { params().Elev2 = value; }
void MainWindow::on_spinBox_Elev03_valueChanged(int value) { params().Elev3 = value; }
void MainWindow::on_spinBox_Elev04_valueChanged(int value) { params().Elev4 = value; }
void MainWindow::on_spinBox_Elev05_valueChanged(int value) { params().Elev5 = value; }
void MainWindow::on_spinBox_Elev06_valueChanged(int value) { params().Elev6 = value; }
void MainWindow::on_spinBox_Ru1_valueChanged(int value) { params().Ru1 = value; }
void MainWindow::on_spinBox_Ru2_valueChanged(int value) { params().Ru2 = value; }
void MainWindow::on_spinBox_Ru3_valueChanged(int value) { params().Ru3 = value; }
void MainWindow::on_spinBox_Ru4_valueChanged(int value) { params().Ru4 = value; }
void MainWindow::on_comboBox_PRM01_Mix_currentIndexChanged(int value) { params().Prm1Mix = value; }
void MainWindow::on_comboBox_PRM02_Mix_currentIndexChanged(int value) { params().Prm2Mix = value; }
void MainWindow::on_comboBox_PRM03_Mix_currentIndexChanged(int value) { params().Prm3Mix = value; }
void MainWindow::on_comboBox_PRM04_Mix_currentIndexChanged(int value) { params().Prm4Mix = value; }
void MainWindow::on_comboBox_PRM01_Master_currentIndexChanged(int value) { params().Prm1Master = value; }
void MainWindow::on_comboBox_PRM02_Master_currentIndexChanged(int value) { params().Prm2Master = value; }
void MainWindow::on_comboBox_PRM03_Master_currentIndexChanged(int value) { params().Prm3Master = value; }
void MainWindow::on_comboBox_PRM04_Master_currentIndexChanged(int value) { params().Prm4Master = value; }
void MainWindow::on_comboBox_PRM01_Slave_currentIndexChanged(int value) { params().Prm1Slave = value; }
void MainWindow::on_comboBox_PRM02_Slave_currentIndexChanged(int value) { params().Prm2Slave = value; }
void MainWindow::on_comboBox_PRM03_Slave_currentIndexChanged(int value) { params().Prm3Slave = value; }
void MainWindow::on_comboBox_PRM04_Slave_currentIndexChanged(int value) { params().Prm4Slave = value; }
void MainWindow::on_spinBox_PRM01_Data1_valueChanged(int value) { params().Prm1Data1 = value; }
void MainWindow::on_spinBox_PRM02_Data1_valueChanged(int value) { params().Prm2Data1 = value; }
void MainWindow::on_spinBox_PRM03_Data1_valueChanged(int value) { params().Prm3Data1 = value; }
void MainWindow::on_spinBox_PRM04_Data1_valueChanged(int value) { params().Prm4Data1 = value; }
void MainWindow::on_spinBox_PRM01_Data2_valueChanged(int value) { params().Prm1Data2 = value; }
void MainWindow::on_spinBox_PRM02_Data2_valueChanged(int value) { params().Prm2Data2 = value; }
void MainWindow::on_spinBox_PRM03_Data2_valueChanged(int value) { params().Prm3Data2 = value; }
void MainWindow::on_spinBox_PRM04_Data2_valueChanged(int value) { params().Prm4Data2 = value; }
void MainWindow::on_spinBox_PRM01_Data3_valueChanged(int value) { params().Prm1Data3 = value; }
void MainWindow::on_spinBox_PRM02_Data3_valueChanged(int value) { params().Prm2Data3 = value; }
void MainWindow::on_spinBox_PRM03_Data3_valueChanged(int value) { params().Prm3Data3 = value; }
void MainWindow::on_spinBox_PRM04_Data3_valueChanged(int value) { params().Prm4Data3 = value; }
void MainWindow::on_spinBox_THCURE_Data01_valueChanged(int value) { params().ThCure1 = value; }
void MainWindow::on_spinBox_THCURE_Data02_valueChanged(int value) { params().ThCure2 = value; }
void MainWindow::on_spinBox_THCURE_Data03_valueChanged(int value) { params().ThCure3 = value; }
void MainWindow::on_spinBox_THCURE_Data04_valueChanged(int value) { params().ThCure4 = value; }
void MainWindow::on_spinBox_THCURE_Data05_valueChanged(int value) { params().ThCure5 = value; }
void MainWindow::on_spinBox_THCURE_Data06_valueChanged(int value) { params().ThCure6 = value; }
void MainWindow::on_spinBox_THCURE_Data07_valueChanged(int value) { params().ThCure7 = value; }
void MainWindow::on_comboBox_DR_MIX1_currentIndexChanged(int value) { params().DrMix = value; }
void MainWindow::on_comboBox_DR_MIX2_currentIndexChanged(int value) { params().DrMix = value; }
void MainWindow::on_comboBox_DR_CH2_currentIndexChanged(int value) { params().DrCh = value; }
void MainWindow::on_comboBox_DR_SW2_currentIndexChanged(int value) { params().DrSw = value; }
void MainWindow::on_comboBox_AttiM_currentIndexChanged(int value) { params().AttiM = value; }
void MainWindow::on_comboBox_EleMix_currentIndexChanged(int value) { params().EleMix = value; }
void MainWindow::on_comboBox_RuMix_currentIndexChanged(int value) { params().RuMix = value; }
void MainWindow::on_comboBox_THCURE_MIX_currentIndexChanged(int value) { params().ThCureMix = value; }
void MainWindow::on_spinBox_Rssi_valueChanged(int value) { params().RssiAlarm = value; }
void MainWindow::on_spinBox_Mode_valueChanged(int value) { params().Mode = value; }
void MainWindow::on_spinBox_Vertion_valueChanged(int value) { params().Vertion = value; }
void MainWindow::on_doubleSpinBox_Volt_valueChanged(double value) { params().TxVolt = value; }
void MainWindow::on_doubleSpinBox_rxVolt_valueChanged(double value) { params().RxVolt = value; }
void MainWindow::on_doubleSpinBox_extVolt_valueChanged(double value) { params().ExtVolt = value; }

void MainWindow::on_comboBox_DR_CH1_currentIndexChanged(int index)
{
    params().DrCh = index;
    Dr_DataSelet();
}

void MainWindow::on_comboBox_DR_POSI_currentIndexChanged(int index)
{
    params().DrPosi = index;
    Dr_DataSelet();
}

void MainWindow::on_spinBox_DR_UP1_valueChanged(int value) { editDualRateUp(params(), value); }
void MainWindow::on_spinBox_DR_DOWN1_valueChanged(int value) { editDualRateDown(params(), value); }
void MainWindow::on_spinBox_DR_RATE_valueChanged(int value) { editDualRateRate(params(), value); }
void MainWindow::on_spinBox_DR_EXP_valueChanged(int value) { editDualRateExp(params(), value); }

