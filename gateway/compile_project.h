#pragma once
// The image compiler: turns the project's ParGen.xml, EtherNetIP_Master_Rules.xml and
// LoRaWAN_SetAccess.xml into the three images the gateway loads (bank 1, the 2048-byte
// parameter block; bank 2, the EtherNet/IP connections; bank 3, the LoRaWAN block) and
// writes them as bank1.bin .. bank3.bin in the project's bin folder. All numbers in the
// images are little-endian.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

// A project the images cannot hold, or a bank file that cannot be written. Thrown before
// any bank file is written, except for the write failure itself.
class ECompileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One EtherNet/IP connection: its 40-byte bank 2 header and its key and data segment
// records (length 0 when there is none).
struct TEtherNetIP_Slot
{
    static constexpr int Header_Size = 40;
    static constexpr int Key_Capacity = 101;    // record of up to 97 key bytes
    static constexpr int Data_Capacity = 1003;  // record of up to 999 data bytes
    std::vector<uint8_t> Header = std::vector<uint8_t>(Header_Size, 0);
    uint16_t Key_Length = 0;
    uint16_t Data_Length = 0;
    std::array<uint8_t, Key_Capacity> Key{};
    std::array<uint8_t, Data_Capacity> Data{};
};

// One uplink or downlink rule of bank 3 (a 12-byte record).
struct TLoRaWAN_Rule
{
    uint16_t Start_Byte = 0;
    uint16_t Num_Byte = 0;
    uint8_t Triggers = 0;   // bit 0 on change, bit 1 on command, bit 2 on timer
    uint8_t FPort = 0;
    uint32_t Time = 0;
};

class TImage_Compiler
{
public:
    static constexpr int General_Block_Size = 2048;
    static constexpr int LoRaWAN_Header_Size = 88;
    static constexpr int LoRaWAN_Block_Size = 8192;
    static constexpr int Slot_Count = 10;
    static constexpr int Rule_Count = 256;
    static constexpr int Rule_Size = 12;
    static constexpr uint32_t Bank2_Address = 0x80000;
    static constexpr uint32_t Bank3_Address = 0xA0000;

    TImage_Compiler();

    // Builds the three images from the project files named by the program state
    // (Path_ParGen, Path_EtherNetIP_Master_Rules, Path_LoRaWAN_SetAccess). Throws
    // ECompileError, or EXmlError for a file that is not well-formed.
    void Compile_Project();
    // Replaces the bank files in Project_Path/bin as one set: the three files are written
    // into the folder .bin.new beside bin, which is then exchanged with bin in one step,
    // so bin holds either the old set or the new one, never a mix. Other entries of bin
    // are carried over into the new folder. A half-done exchange that a killed run left is
    // recovered first. Throws ECompileError naming the file that could not be written; the
    // old set then stays whole and nothing of the new one is left.
    void Write_Bank_Files() const;

    // Bank 1, 2 or 3 as compiled.
    const std::vector<uint8_t> &Image(int bank) const;

    // The steps of Compile_Project, in its order.
    void Init_General_Block();
    void Init_LoRaWAN_Block();
    void Init_EtherNetIP_Slots();
    void Read_Par_Gen();
    void Read_EtherNetIP_Rules(uint32_t base);
    void Read_LoRaWAN_Rules(uint32_t base);
    // Each copies its image into the buffer at position and returns the position after it.
    size_t Put_General_Block(size_t position, std::vector<uint8_t> &buffer);
    size_t Put_EtherNetIP_Block(size_t position, std::vector<uint8_t> &buffer) const;
    size_t Put_LoRaWAN_Block(size_t position, std::vector<uint8_t> &buffer) const;

    // Builds the slot's segment record from a comma list of bytes; returns its length.
    int Parse_Electronic_Key(const QString &text, int slot);
    int Parse_Data_Segment(const QString &text, int slot);

    std::vector<uint8_t> General_Block;    // bank 1
    std::vector<uint8_t> LoRaWAN_Header;   // the first 88 bytes of bank 3
    std::array<TLoRaWAN_Rule, Rule_Count> Uplink;
    std::array<TLoRaWAN_Rule, Rule_Count> Downlink;
    std::array<TEtherNetIP_Slot, Slot_Count> Slots;

private:
    void Set_Version_Text();
    void Hex_To_Header(const QString &text, int offset, int chars, const char *element);
    std::array<std::vector<uint8_t>, 3> images_;
};

// A project file the compiler reads: false when missing (its defaults apply), true for a
// regular file; throws ECompileError naming the path for a folder, pipe or anything else.
bool Project_File_Present(const QString &path);

// Tests: called at the points of Write_Bank_Files where a kill leaves the most to recover.
enum class TBank_Step { Staged, Exchanged };   // the new set complete beside bin; bin holds it
void Set_Bank_Files_Hook(std::function<void(TBank_Step)> hook);

// The compiler of the program run: the main window's update compiles with it.
TImage_Compiler &Image_Compiler();
void Compile_Project();
void Write_Bank_Files();

// Text to one-byte codes of the LoRaWAN header; any other text gives 0.
uint8_t LoRa_Band_Code(const QString &text);
uint8_t LoRa_Network_Code(const QString &text);
uint8_t LoRa_Activation_Code(const QString &text);
uint8_t LoRa_Transmission_Code(const QString &text);
// "0" characters before the text until it has the length; a longer text is unchanged.
QString Pad_Zero_Left(const QString &text, int length);
