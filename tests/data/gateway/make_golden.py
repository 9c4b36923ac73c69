#!/usr/bin/env python3
"""Writes the expected bank images of the fixture projects, field by field from the image
layout, independently of the compiler under test. Run from this folder."""
import os
import struct


def put(buf, offset, fmt, *values):
    struct.pack_into('<' + fmt, buf, offset, *values)


def bank1(project):
    b = bytearray(2048)
    put(b, 0, 'IIII', 250000, 250000, 0, 9600)
    b[40:52] = bytes([192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255])
    put(b, 52, 'HHH', 10000, 10001, 10001)
    b[436:444] = bytes([8] * 8)
    put(b, 1556, 'I', 0x80000)
    put(b, 1628, 'I', 0xA0000)
    if project in ('pargen_only', 'full'):
        b[40:52] = bytes([10, 0, 0, 50, 255, 255, 255, 0, 10, 0, 0, 1])
        put(b, 420, 'I', 19200)
        b[435] = 1
        b[1300:1300 + 13] = b'GW41R08-Line3'
        b[1340:1344] = bytes([149, 112, 112, 10])
        b[1420:1424] = bytes([9, 9, 9, 9])
        b[1644:1649] = b'1.000'
    if project == 'full':
        put(b, 116, 'II', 32 + 8, 16 + 4)
        put(b, 1552, 'I', 2)
    put(b, 2044, 'I', sum(b[:2044]))
    return b


def bank2(project):
    b = bytearray(402)
    if project != 'full':
        return b
    h = bytearray(40)
    h[0:4] = bytes([10, 0, 0, 20])
    put(h, 4, 'HHHHHH', 0, 32, 0, 0, 16, 0)
    put(h, 16, 'HHHH', 101, 100, 150, 101)
    put(h, 24, 'IIII', 100, 0x20, 0x80192, 0x80190)
    b[0:40] = h
    h = bytearray(40)
    h[0:4] = bytes([10, 0, 0, 22])
    put(h, 4, 'HHHHHH', 32, 8, 32, 16, 4, 16)
    put(h, 16, 'HHHH', 110, 100, 120, 101)
    put(h, 24, 'IIII', 50, 0x111, 0x80190, 0x8019E)
    b[40:80] = h
    b += bytes([0x0A, 0x00, 0x34, 0x04, 0x01, 0x00, 0x0C, 0x00, 0x22, 0x00, 0x81, 0x01])
    b += bytes([0x07, 0x00, 0x80, 0x03, 0x01, 0x02, 0x03, 0x10, 0xFF])
    return b


def rule(buf, offset, start, num, triggers, fport, time):
    put(buf, offset, 'HHBBHI', start, num, triggers, fport, 0, time)


def bank3(project):
    b = bytearray(8192)
    b[3] = 6
    b[66] = 1
    put(b, 68, 'III', 1, 0xA0400, 0xA1000)
    if project in ('pargen_only', 'full'):
        b[0:4] = bytes([5, 1, 0, 5])
        b[4:8] = bytes.fromhex('26011B2C')
        b[8:16] = bytes.fromhex('70B3D57ED0001234')
        b[16:32] = bytes.fromhex('2B7E151628AED2A6ABF7158809CF4F3C')
        b[32:48] = bytes.fromhex('000102030405060708090A0B0C0D0E0F')
        b[64:68] = bytes([1, 1, 222, 1])
        b[84] = 1
    if project == 'full':
        put(b, 80, 'HH', 3, 2)
        rule(b, 1024, 0, 10, 1, 2, 30)
        rule(b, 1036, 20, 12, 6, 5, 600)
        rule(b, 1048, 300, 220, 6, 2, 86400)
        rule(b, 4096, 0, 8, 0, 3, 0)
        rule(b, 4108, 1536, 2, 0, 2, 0)
    return b


for project in ('empty', 'pargen_only', 'full'):
    folder = os.path.join('golden', project)
    os.makedirs(folder, exist_ok=True)
    for n, image in ((1, bank1(project)), (2, bank2(project)), (3, bank3(project))):
        with open(os.path.join(folder, 'bank%d.bin' % n), 'wb') as f:
            f.write(image)


# The updater's job files; @MASTER@ and @PROJECT@ stand for the folders of the test run.
# The older layout sends another firmware image and banks 1 and 2 to other addresses.
def job(option, read_back, older=False):
    lines = ['<Ethernet_Update>',
             '  <Version>1000</Version>',
             '  <Title>%s</Title>' % ('Qelvar - Ethernet Update' if older else 'Qelvar - CF41R08 Ethernet Update'),
             '  <IP_Address_Dev>192.168.2.205</IP_Address_Dev>',
             '  <Application_Port>10000</Application_Port>',
             '  <Boot_Port>2008</Boot_Port>',
             '  <Boot_Port_Sec>2007</Boot_Port_Sec>',
             '  <Address_Protection>%s</Address_Protection>' % ('0x78000' if older else '0x07800'),
             '  <Protections>',
             '    <Protection>%s</Protection>' % ('0x1B4' if older else '0x411'),
             '  </Protections>',
             '  <Operations>']
    go_app_fw = '1' if option == 1 else '0'
    if older:
        wid = ('0x78200', '0x0B', '0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00')
        firmware = ('@MASTER@/Sim41R05.sim', '0x8000', '1', '1', '0x78100', '0x0B', None, go_app_fw)
        banks = [('@PROJECT@/bin/bank1.bin', '0x68000', '2', '0', '0x50100', '0x0B', '0', '0'),
                 ('@PROJECT@/bin/bank2.bin', '0x50800', '2', '0', '0x50100', '0x0B', '0', '1')]
    else:
        wid = ('0x07810', '0x02', '0x00, 0x00, 0x00, 0x01')
        firmware = ('@MASTER@/Sim41R08.sim', '0x8000', '1', '1', '0x07A00', '0x02', '0', go_app_fw)
        banks = [('@PROJECT@/bin/bank1.bin', '0x07000', '2', '0', '0x07A00', '0x02', '1', '0'),
                 ('@PROJECT@/bin/bank2.bin', '0x80000', '2', '0', '0x07A00', '0x02', '0', '0'),
                 ('@PROJECT@/bin/bank3.bin', '0xA0000', '2', '0', '0x07A00', '0x02', '0', '1')]
    ops = []
    if option in (0, 1):
        ops.append(firmware)
    if option in (0, 2):
        ops += banks
    for name, start, bank_type, css, css_address, css_command, wid_write, go_app in ops:
        fields = [('Ope_Protection_Enabled', None), ('Ope_GoToBoot_Before', '0'),
                  ('Ope_GoToApp_Before', '0'), ('Ope_IP_Address', None), ('Ope_Port', '2008'),
                  ('Ope_Port_Sec', '2007'), ('Ope_Erase_Memory', '0'), ('Ope_FileName', name),
                  ('Ope_Start_Address', start), ('Ope_Memory_Type', '0'),
                  ('Ope_Bank_Type', bank_type), ('Ope_Read_Back', '1' if read_back else '0'),
                  ('Ope_Write_CSS', css), ('Ope_Address_CSS', css_address),
                  ('Ope_Command_CSS', css_command)]
        if wid_write is not None:
            fields += [('Ope_Write_Internal_Data', wid_write), ('Ope_WID_Address', wid[0]),
                       ('Ope_WID_Command', wid[1]), ('Ope_WID_Data', wid[2])]
        fields.append(('Ope_GoToApp_After', go_app))
        lines.append('    <Operation>')
        for tag, text in fields:
            lines.append('      <%s />' % tag if text is None else '      <%s>%s</%s>' % (tag, text, tag))
        lines.append('    </Operation>')
    lines += ['  </Operations>', '</Ethernet_Update>', '']
    return '\n'.join(lines)


os.makedirs('job', exist_ok=True)
for file_name, option, read_back, older in (('firmware_and_configuration.xml', 0, True, False),
                                            ('firmware.xml', 1, False, False),
                                            ('configuration.xml', 2, True, False),
                                            ('older_firmware_and_configuration.xml', 0, True, True),
                                            ('older_configuration.xml', 2, False, True)):
    with open(os.path.join('job', file_name), 'w') as f:
        f.write(job(option, read_back, older))
