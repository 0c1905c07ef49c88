#pragma once

// Whether live packets may replace the stick trims of a set just now: a state
// of one set in this run, not one of its values. A copy starts free, an
// assignment leaves the hold the set had, and only a TrimHoldScope changes it.
class TrimHoldState
{
public:
    TrimHoldState() = default;
    TrimHoldState(const TrimHoldState &) {}
    TrimHoldState &operator=(const TrimHoldState &) { return *this; }
    operator int() const { return m_held; }

private:
    friend class TrimHoldScope;
    int m_held = 0;
};

// The transmitter's configuration as the tool holds it: one instance for each
// window or session, members named after their editors. Everything a widget, a frame,
// a file or the inbound stream carries lives here and nowhere else.
struct ParameterSet
{
    ParameterSet(); // start values, taken from the parameter tables

    // Basic menu, one member per channel
    int Rev1, Rev2, Rev3, Rev4, Rev5, Rev6, Rev7, Rev8;
    int Sub1, Sub2, Sub3, Sub4, Sub5, Sub6, Sub7, Sub8;
    int Lepa1, Lepa2, Lepa3, Lepa4, Lepa5, Lepa6, Lepa7, Lepa8;
    int Repa1, Repa2, Repa3, Repa4, Repa5, Repa6, Repa7, Repa8;
    int FS1, FS2, FS3, FS4, FS5, FS6, FS7, FS8;
    int Delay1, Delay2, Delay3, Delay4, Delay5, Delay6, Delay7, Delay8;
    int Aux5, Aux6, Aux7, Aux8;

    // Advanced menu 1
    int AttiM;
    int Atti1, Atti2, Atti3, Atti4, Atti5, Atti6;
    int EleMix;
    int Elev1, Elev2, Elev3, Elev4, Elev5, Elev6;
    int RuMix;
    int Ru1, Ru2, Ru3, Ru4;

    // Advanced menu 2: throttle curve
    int ThCureMix;
    int ThCure1, ThCure2, ThCure3, ThCure4, ThCure5, ThCure6, ThCure7;
    int ThCureExtra;

    // Programmable mixes
    int Prm1Mix, Prm1Master, Prm1Slave, Prm1Data1, Prm1Data2, Prm1Data3;
    int Prm2Mix, Prm2Master, Prm2Slave, Prm2Data1, Prm2Data2, Prm2Data3;
    int Prm3Mix, Prm3Master, Prm3Slave, Prm3Data1, Prm3Data2, Prm3Data3;
    int Prm4Mix, Prm4Master, Prm4Slave, Prm4Data1, Prm4Data2, Prm4Data3;

    // System settings
    double TxVolt, RxVolt, ExtVolt;
    int RssiAlarm;
    int Mode;
    int Vertion;
    int Trim1, Trim2, Trim3, Trim4;
    int TxVoltTenths, RxVoltTenths, ExtVoltTenths;

    // Dual rates: the rate and expo tables are indexed by the channel DrCh
    int DrMix, DrCh, DrSw, DrPosi;
    int DrRateUp[4], DrRateDown[4], DrExpUp[4], DrExpDown[4];
    int DrUpShown, DrDownShown, DrRateShown, DrExpShown;

    // Shared run-time values: never transmitted, saved, reset or sanitized
    int ChOut1, ChOut2, ChOut3, ChOut4, ChOut5, ChOut6, ChOut7, ChOut8;
    TrimHoldState TrimHold;
};

// Holds the stick trims of a set while it lives, so a factory reset or a file
// load sends the trims it brings, not those live packets carry meanwhile.
// Gives back the hold it found, so holds nest.
class TrimHoldScope
{
public:
    explicit TrimHoldScope(ParameterSet &set)
        : m_hold(set.TrimHold)
        , m_found(m_hold.m_held)
    {
        m_hold.m_held = 1;
    }
    ~TrimHoldScope() { m_hold.m_held = m_found; }
    TrimHoldScope(const TrimHoldScope &) = delete;
    TrimHoldScope &operator=(const TrimHoldScope &) = delete;

private:
    TrimHoldState &m_hold;
    int m_found;
};

// Copies what the program keeps current while it runs (the live channel
// outputs) from current into set.
void keepRunTimeValues(ParameterSet &set, const ParameterSet &current);

// A reference to one int member of a ParameterSet: either a plain member or
// one element of a dual-rate table. The table of settings, the frame codec,
// the inbound parser and the page refresh all point at members this way.
struct IntRef
{
    int ParameterSet::*scalar = nullptr;
    int (ParameterSet::*table)[4] = nullptr;
    int index = 0;

    constexpr IntRef() = default;
    constexpr IntRef(int ParameterSet::*member) : scalar(member) {}
    constexpr IntRef(int (ParameterSet::*member)[4], int i) : table(member), index(i) {}

    bool isNull() const { return !scalar && !table; }
    int &of(ParameterSet &p) const { return scalar ? p.*scalar : (p.*table)[index]; }
    int of(const ParameterSet &p) const { return scalar ? p.*scalar : (p.*table)[index]; }
    bool operator==(const IntRef &o) const
    {
        return scalar == o.scalar && table == o.table && index == o.index;
    }
};

// Which factory routine restores a member.
enum class ResetRoutine { None, First, Second };

// The live channel outputs ChOut1..ChOut8 in channel order.
IntRef channelOutput(int channel); // channel 0..7
