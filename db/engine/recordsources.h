#pragma once

// The invoice list's two record sources. Both join the patients to their invoices and come in
// invoice-number order, which the invoice header's key gives for free.
constexpr auto kPendingInvoicesQuery =
    "select per_inf_data.file_num,pt_name,po_num,po_date,po_pri,po_netd from per_inf_data,pt_sh "
    "where (per_inf_data.file_num=pt_sh.file_num) and (pt_sh.po_netd > 0) order by pt_sh.po_num";
constexpr auto kAllInvoicesQuery =
    "select per_inf_data.file_num,pt_name,po_num,po_date,po_pri,po_netd from per_inf_data,pt_sh "
    "where (per_inf_data.file_num=pt_sh.file_num) order by pt_sh.po_num";
// The saved lines of one invoice; one value, the invoice number.
constexpr auto kInvoiceLinesQuery = "select * from po_descs where po_num = ?";
